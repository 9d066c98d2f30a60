#include "app/paste.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/input_wiring.h"
#include "support/core_fixture.h"

namespace orva {
namespace {

// A paste into the input line in the arena: what is asked, what is inserted, what is sent.
TEST(Paste, LinesAreSentOneByOneOrJoined) {
    using Lines = std::vector<std::string>;
    struct Case {
        std::string pasted;
        MsgResult answer;
        std::string asked;  // empty: no question
        std::optional<std::string> inserted;
        Lines wire;
    } cases[] = {
        // No break: the paste is the widget's, untouched.
        {"just text", MsgResult::Yes, "", "just text", {}},
        // CR, LF and CR LF each end a line; empty lines are neither counted nor sent; each line's
        // prefix picks its kind, and a client command runs.
        {"hi\r\n'team\n\n?away back\rlast\r\n",
         MsgResult::Yes,
         "Send 4 lines?",
         std::nullopt,
         {"SEND:PUB:hi", "SEND:FREQ:8025:team", "SEND:PUB:last"}},
        {"hi\r\n'team\n\n?away back\rlast\r\n",
         MsgResult::No,
         "Send 4 lines?",
         "hi 'team ?away back last ",
         {}},
        {"\r\n\n", MsgResult::Yes, "", " ", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pasted);
        test::CoreWorld w;
        FrmMain& f = w.f();
        wireInputLine(f);
        w.enterArena();
        f.txtOut.Text.set("draft");
        w.clearRecords();
        w.dialogs.answers.push_back(c.answer);

        std::optional<std::string> insert = c.pasted;
        f.txtOut.pasted.emit(c.pasted, insert);

        if (c.asked.empty()) {
            EXPECT_TRUE(w.dialogs.calls.empty());
        } else {
            ASSERT_EQ(w.dialogs.calls.size(), 1U);
            EXPECT_EQ(w.dialogs.calls[0].text, c.asked);
            EXPECT_EQ(w.dialogs.calls[0].title, "Paste");
            EXPECT_EQ(w.dialogs.calls[0].buttons, MsgButtons::YesNo);
        }
        EXPECT_EQ(insert, c.inserted);
        EXPECT_EQ(w.sentLines(), c.wire);
        EXPECT_EQ(f.txtOut.Text.get(), "draft");
        EXPECT_EQ(f.AwayMessage, c.answer == MsgResult::Yes && !c.asked.empty() ? "back" : "");
    }
}

}  // namespace
}  // namespace orva
