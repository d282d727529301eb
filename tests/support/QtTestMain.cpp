// GoogleTest main for tests of Qt widgets: one application on the offscreen platform.

#include "tests/support/ModalDriver.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {

class ForgetModalsAfterEachTest : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override { dd::test::ForgetPendingModals(); }
};

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new ForgetModalsAfterEachTest);
    return RUN_ALL_TESTS();
}
