#include "TestMain.h"
KORVANE_TEST_MAIN
