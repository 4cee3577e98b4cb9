#pragma once
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <memory>

namespace fl3::testing {

// One application object for the whole test program (the offscreen platform
// in test runs). It is made before the first test and deleted after the last,
// while Qt's own globals still exist.
class GuiApplicationEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { application_ = std::make_unique<QGuiApplication>(argc_, argv_); }
  void TearDown() override { application_.reset(); }

 private:
  int argc_ = 1;
  char name_[24] = "fuselark3-media-test";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QGuiApplication> application_;
};

inline ::testing::Environment* const kGuiApplicationEnvironment =
    ::testing::AddGlobalTestEnvironment(new GuiApplicationEnvironment);

inline QGuiApplication& GuiApplication() { return *qGuiApp; }

}  // namespace fl3::testing
