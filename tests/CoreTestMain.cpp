// Every core test runs in Tokyo time, with the built-in board list loaded and message boxes
// recorded instead of shown.
#include "support/RecordingAlertSink.h"

#include "input/BoardDirectory.h"
#include "platform/LocalTime.h"

#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    setenv("TZ", "Asia/Tokyo", 1);
    lorvanel::resetLocalTimeCache();
    lorvanel::boardDirectory().loadBoardList();
    lorvanel::setAlertSink(&lorvanel::testing::recordedAlerts());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
