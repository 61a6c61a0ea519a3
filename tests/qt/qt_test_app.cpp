// QSerialPort watches its descriptor with a QSocketNotifier, which wants a thread with an
// event dispatcher: give the test's main thread the application object a program would have.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <memory>

namespace {

class QtCoreEnvironment : public ::testing::Environment {
  public:
    void SetUp() override { m_app = std::make_unique<QCoreApplication>(m_argc, m_argv); }
    void TearDown() override { m_app.reset(); }

  private:
    int m_argc = 1;
    char m_name[16] = "link_test";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QCoreApplication> m_app;
};

[[maybe_unused]] auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtCoreEnvironment);

}  // namespace
