#pragma once

#include "domain/AppContext.h"

#include "ScriptedPrompter.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <string>

// A data file in a temporary application folder, with a scripted prompter.
class ExpensesFixture : public ::testing::Test {
protected:
    void writeData(const std::string& text) { dir.write("cardata.dat", text); }
    std::string data() const { return dir.read("cardata.dat"); }
    // A stored value, or "<none>" when the key is missing.
    std::string stored(const std::string& section, const std::string& key)
    {
        return ctx.dataFile().ReadINI(section, key, "<none>");
    }

    TempDir dir;
    ScriptedPrompter prompter;
    AppContext ctx {dir.path(), "/opt/Wheel Book/wheelbook", "", prompter};
};
