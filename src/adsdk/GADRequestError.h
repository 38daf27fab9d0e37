#pragma once

#include <QString>

inline constexpr char kGADErrorDomain[] = "GADErrorDomain";

enum GADErrorCode {
    kGADErrorInvalidRequest = 0,  // no or malformed ad unit, no root view, bad size or server URL
    kGADErrorNoFill = 1,          // the network has no ad for this request
    kGADErrorNetworkError = 2,    // the ad server could not be reached
    kGADErrorServerError = 3,     // the ad server answered with an HTTP error
    kGADErrorTimeout = 4,         // the ad server did not answer in time
    kGADErrorInvalidResponse = 5, // the answer broke the protocol
    kGADErrorMediationNoFill = 6, // every mediated network failed and there was no backfill
};

// Why a banner got no ad.
struct GADRequestError {
    QString domain = QString::fromLatin1(kGADErrorDomain);
    int code = kGADErrorNoFill;
    QString localizedDescription;

    static GADRequestError make(int code, const QString& description)
    {
        GADRequestError e;
        e.code = code;
        e.localizedDescription = description;
        return e;
    }
};
