// The shared headers plus the test framework, for the test executables.
#pragma once

#include "Precompiled.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#ifdef QT_TESTLIB_LIB
#include <QtTest/QTest>
#endif
