#pragma once

#include "TestEnvironment.h"

#include <QObject>
#include <memory>

// Base of the test classes whose every case starts from an empty settings
// store in folders of its own, loaded as a new process would load it.
class FreshStoreTest : public QObject {
    Q_OBJECT

protected:
    std::unique_ptr<TestEnvironment> env;

private slots:
    void init();
    void cleanup();
};
