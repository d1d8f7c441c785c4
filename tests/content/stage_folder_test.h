// The fixture of the tests that play shipped stages: a temporary folder for the stages' start
// folders, the headless world set up, and the working folder and the globals put back at the end.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "core/globals.h"
#include "tools/solc/world.h"

class StageFolderTest : public ::testing::Test {
 protected:
  // `prefix` names the temporary folder ("quill-content-1234").
  explicit StageFolderTest(const std::string& prefix) : prefix_(prefix) {}
  void SetUp() override {
    std::random_device rd;
    root_ = std::filesystem::temp_directory_path() / (prefix_ + std::to_string(rd()));
    start_ = std::filesystem::current_path();
    solc::SetUpWorld();
  }
  void TearDown() override {
    std::error_code ec;
    std::filesystem::current_path(start_, ec);
    std::filesystem::remove_all(root_, ec);
    ResetGlobals();
  }
  std::filesystem::path root_, start_;

 private:
  std::string prefix_;
};
