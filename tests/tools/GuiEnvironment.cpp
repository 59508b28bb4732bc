// Fonts and painting need a QGuiApplication; one is created for the whole run.
#include <QGuiApplication>
#include <gtest/gtest.h>

namespace {

class GuiEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "skingen_test";
    static char *argv[] = {name, nullptr};
    m_app = std::make_unique<QGuiApplication>(argc, argv);
  }
  void TearDown() override { m_app.reset(); }

 private:
  std::unique_ptr<QGuiApplication> m_app;
};

[[maybe_unused]] ::testing::Environment *const g_gui = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

}  // namespace
