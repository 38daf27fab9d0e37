#pragma once

#include <QSize>
#include <QString>

class Device {
public:
    enum class Idiom { Phone, Tablet };
    static Idiom idiom();
    static void setIdiom(Idiom idiom);
    static bool isTablet() { return idiom() == Idiom::Tablet; }

    // Screens are laid out in these points: the phone's screen, and the
    // tablet's, turned with the window.
    static constexpr QSize kPhoneDesignSize{320, 568};
    static constexpr QSize kTabletPortraitDesignSize{768, 1024};
    static constexpr QSize tabletDesignSize(bool portrait)
    {
        return portrait ? kTabletPortraitDesignSize : kTabletPortraitDesignSize.transposed();
    }
    // A screen at least this many pixels on its shorter side is a tablet's.
    static constexpr int kTabletMinimumScreenSide = 600;
    // Hardware model identifier, as "hw.machine" answers it.
    static QString machine();
    static QString systemVersion();
};
