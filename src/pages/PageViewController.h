#pragma once

#include "ViewController.h"

class PageOwner;

// A page of the page container: it knows the controller that opened it, and
// its done (the Done button or Escape) asks that controller to close it.
class PageViewController : public ViewController {
    Q_OBJECT
public:
    using ViewController::ViewController;

    PageOwner* m_MainViewController = nullptr; // set by the creator, cleared by done

    void done();

protected:
    bool escapePressed() override;
};
