#include "FreshStoreTest.h"

#include "Property.h"

void FreshStoreTest::init()
{
    env = std::make_unique<TestEnvironment>();
    Property::reloadForTesting();
}

void FreshStoreTest::cleanup()
{
    env.reset();
}
