#pragma once
#include <QApplication>
#include <memory>

#include <gtest/gtest.h>

namespace fl3::testing {

// One application for the whole test program, made before the first test and
// ended before the program's static objects go: Qt's own statics and the
// test input devices must not outlive it.
class QtApplicationEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (QApplication::instance() == nullptr) application_ = std::make_unique<QApplication>(argc_, argv_);
  }
  void TearDown() override { application_.reset(); }

 private:
  int argc_ = 1;
  char name_[16] = "fuselark3-test";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> application_;
};

inline ::testing::Environment* const kQtApplication =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

}  // namespace fl3::testing
