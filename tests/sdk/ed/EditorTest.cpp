#include "EdTestUtil.h"

#include <gtest/gtest.h>

#include <EdCommandStack.h>
#include <Editor.h>

// One call to the editor hooks a reactor that combines editor, command and script events, and one
// call unhooks all of it.
TEST(Editor, CombinedReactorHearsEveryKindOfEventUntilRemoved)
{
    EventLog log;
    StaticReactor reactor(log);
    StaticCommand cmd("TESTEDITOR", "_ZEDIT");

    odedEditor()->addReactor(&reactor);
    odedEditor()->addReactor(&reactor);  // twice: still one registration
    odedEditor()->fireBeginDwgOpen(L"a.dxf");
    odedRegCmds()->executeCommand(&cmd, nullptr);
    odedEditor()->fireLispWillStart(nullptr, L"(zedit)");
    odedEditor()->fireLispCancelled(nullptr);
    odedEditor()->fireLispWillStart(nullptr, L"(zedit)");
    odedEditor()->fireLispEnded(nullptr);
    odedEditor()->removeReactor(&reactor);

    odedEditor()->fireBeginDwgOpen(L"b.dxf");
    odedRegCmds()->executeCommand(&cmd, nullptr);
    odedEditor()->fireLispEnded(nullptr);

    EXPECT_EQ(log, (EventLog{"open:a.dxf", "start:_ZEDIT", "ended:_ZEDIT", "lispStart:(zedit)",
                             "lispCancelled", "lispStart:(zedit)", "lispEnded"}));
}
