#include <QCoreApplication>

#include <gtest/gtest.h>

// Sockets, processes and TLS need an application object; the tests run without event loop.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
