#pragma once

// What the app tells the network about one ad request. Without a location the
// request is sent without one.
class GADRequest {
public:
    static GADRequest request() { return GADRequest(); }

    // Degrees and metres. Values outside the earth's ranges, negative
    // accuracies and non-finite numbers leave the request without location,
    // so a broken fix never reaches the network. The position is kept to
    // two decimals only, for the ad server and mediated networks alike.
    void setLocationWithLatitude(float latitude, float longitude, float accuracy);

    bool hasLocation() const { return m_hasLocation; }
    float latitude() const { return m_latitude; }
    float longitude() const { return m_longitude; }
    float accuracy() const { return m_accuracy; }

private:
    bool m_hasLocation = false;
    float m_latitude = 0.0f;
    float m_longitude = 0.0f;
    float m_accuracy = 0.0f;
};
