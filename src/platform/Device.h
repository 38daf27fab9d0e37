#pragma once

#include <QString>

class Device {
public:
    enum class Idiom { Phone, Tablet };
    static Idiom idiom();
    static void setIdiom(Idiom idiom);
    static bool isTablet() { return idiom() == Idiom::Tablet; }
    // Hardware model identifier, as "hw.machine" answers it.
    static QString machine();
    static QString systemVersion();
};
