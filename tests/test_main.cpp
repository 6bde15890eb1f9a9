// The one main of every test executable. It pins the C and C++ locales to
// "C" so that results never depend on the machine the tests run on; tests
// that need another locale switch to it themselves and restore this one.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <clocale>
#include <locale>

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "C");
    std::locale::global(std::locale::classic());
    testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
