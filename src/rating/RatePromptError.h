#pragma once

#include <QMetaType>
#include <QString>

// A failure as the rating prompt reports it: no exceptions, just a domain, a
// code and a text that can be shown or logged.
struct RatePromptError {
    QString domain;
    int code = 0;
    QString localizedDescription;

    friend bool operator==(const RatePromptError&, const RatePromptError&) = default;
};

Q_DECLARE_METATYPE(RatePromptError)
