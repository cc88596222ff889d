#pragma once

#include <gtest/gtest.h>

class QvDbDatabase;

// "Nothing left open": success when no object of `db` is open; otherwise the failure lists the
// open objects (class, handle, open state). Use as EXPECT_TRUE(nothingLeftOpen(db)).
::testing::AssertionResult nothingLeftOpen(const QvDbDatabase* db);

// Success when no object of `db` was read without an open, changed without a write open or
// closed while not open; otherwise the failure lists the first few.
::testing::AssertionResult noAccessViolations(const QvDbDatabase* db);
