// Fonts and painting need a QGuiApplication; one lives for the whole test run (on the
// offscreen platform unless the environment chooses another).
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <memory>

namespace {

class GuiEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty()
                                       ? QByteArray("offscreen")
                                       : qgetenv("QT_QPA_PLATFORM"));
        m_app = std::make_unique<QGuiApplication>(m_argc, m_argv);
    }
    void TearDown() override { m_app.reset(); }

private:
    int m_argc = 1;
    char m_name[16] = "test_print";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QGuiApplication> m_app;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

} // namespace
