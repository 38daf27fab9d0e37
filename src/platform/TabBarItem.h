#pragma once

#include <QString>

// What a page shows on its tab.
struct TabBarItem {
    QString title;
    QString imageName;         // bundle image, white on transparent, tinted when drawn
    QString selectedImageName; // shown while the tab is selected; the image when empty

    // The platform's own Downloads item: its title and icon.
    static TabBarItem downloads();
};
