#include "PageViewController.h"

#include "PageOwner.h"

void PageViewController::done()
{
    if (m_MainViewController)
        m_MainViewController->dismissISDView(this);
    m_MainViewController = nullptr;
}

bool PageViewController::escapePressed()
{
    done();
    return true;
}
