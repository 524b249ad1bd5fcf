#pragma once
// Every test of the model starts from the tables and options of a fresh start.

#include <gtest/gtest.h>

#include "model/mode_table.h"
#include "settings/options.h"

class ModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetModeTables();
        ResetOptions();
    }
    void TearDown() override {
        ResetModeTables();
        ResetOptions();
    }
};
