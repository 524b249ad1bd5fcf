#pragma once
// Every test of the model starts from a table of the built-in modes of its own.

#include <gtest/gtest.h>

#include "model/mode_table.h"

class ModelTest : public ::testing::Test {
protected:
    ModeTable modes;
};
