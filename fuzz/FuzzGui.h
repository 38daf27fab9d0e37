#pragma once

// Artwork decoding and SVG fonts need a GUI application; the offscreen
// platform needs no display.
#include <QGuiApplication>

#include <cstdlib>

inline void korvaneFuzzGui()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication app(argc, argv);
}
