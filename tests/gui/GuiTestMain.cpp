// Runs one registered test class (named by the first argument, or all of them) on the
// offscreen platform in Tokyo time, with message boxes recorded instead of shown.
#include "GuiTestSupport.h"

#include "input/BoardDirectory.h"
#include "platform/LocalTime.h"
#include "support/RecordingAlertSink.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdlib>
#include <cstring>
#include <map>

namespace lorvanel::testing {
std::map<std::string, TestFactory>& registry();
}

int main(int argc, char** argv) {
    setenv("TZ", "Asia/Tokyo", 1);
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    lorvanel::resetLocalTimeCache();
    lorvanel::setAlertSink(&lorvanel::testing::recordedAlerts());
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("lorvanel-gui-tests"));
    // Whatever looks at the environment's user folders (JDim's cache, the settings and data
    // folders) finds a temporary home instead of the real one.
    QTemporaryDir home;
    if (!home.isValid()) return 2;
    const QByteArray homePath = QFile::encodeName(home.path());
    setenv("HOME", homePath.constData(), 1);
    setenv("XDG_CONFIG_HOME", (homePath + "/.config").constData(), 1);
    setenv("XDG_DATA_HOME", (homePath + "/.local/share").constData(), 1);
    setenv("XDG_CACHE_HOME", (homePath + "/.cache").constData(), 1);
    unsetenv("JDIM_CACHE");

    auto& tests = lorvanel::testing::registry();
    std::vector<std::string> names;
    std::vector<char*> rest = {argv[0]};
    if (argc > 1 && argv[1][0] != '-') {
        names.push_back(argv[1]);
        for (int i = 2; i < argc; ++i) rest.push_back(argv[i]);
    } else {
        for (auto& [name, factory] : tests) names.push_back(name);
        for (int i = 1; i < argc; ++i) rest.push_back(argv[i]);
    }
    int failures = 0;
    for (const std::string& name : names) {
        auto it = tests.find(name);
        if (it == tests.end()) {
            std::fprintf(stderr, "no test class %s\n", name.c_str());
            return 2;
        }
        std::unique_ptr<QObject> test = it->second();
        failures += QTest::qExec(test.get(), static_cast<int>(rest.size()), rest.data());
    }
    return failures ? 1 : 0;
}
