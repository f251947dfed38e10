// Messages kept while a scope lives and shown, in order, when it ends; nested scopes hand
// theirs to the outer one.
#include "platform/DeferredAlerts.h"
#include "support/RecordingAlertSink.h"

#include <gtest/gtest.h>

using namespace lorvanel;
using lorvanel::testing::recordedAlerts;

TEST(DeferredAlerts, KeepsMessagesUntilTheScopeEndsThenShowsThemInOrder) {
    recordedAlerts().clear();
    {
        DeferredAlerts outer;
        showAlert("a");
        {
            DeferredAlerts inner;
            showAlert("b");
            EXPECT_EQ(inner.pending(), 1u);
        }
        // The inner scope's message went to the outer one, after "a".
        EXPECT_EQ(outer.pending(), 2u);
        showAlert("c");
        EXPECT_TRUE(recordedAlerts().texts.empty());
        EXPECT_EQ(recordedAlerts().raised, 0);
    }
    EXPECT_EQ(recordedAlerts().texts, (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(recordedAlerts().raised, 3);
    // The sink of before is current again.
    EXPECT_EQ(&alertSink(), &recordedAlerts());
    showAlert("d");
    EXPECT_EQ(recordedAlerts().texts.size(), 4u);
    recordedAlerts().clear();
}
