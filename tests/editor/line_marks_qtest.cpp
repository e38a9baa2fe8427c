// Marks in the real editing control, with its own undo and redo: a hundred seeded random edit
// sequences on the demo's faulty source and on a source with ten diagnostics.
#include <gtest/gtest.h>

#include "support/mark_sequences.h"

TEST(LineMarksRandomTest, EveryMarkStaysOnItsLineThroughAHundredRandomEditSequences)
{
    CodeEditorWidget editor;
    QtTextBuffer buffer(&editor);
    marktest::Sequences sequences(editor, buffer);
    std::mt19937 rng(20);
    const marktest::MarkedSource sources[] = {marktest::faultyDemo(), marktest::tenDiagnostics()};
    buffer.setText(sources[0].text);
    ASSERT_EQ(buffer.lineText(16), "        delay(1000;") << "the demo's error is on line 17";
    for (int s = 0; s < 100; ++s)
        for (const auto& source : sources)
            ASSERT_EQ(sequences.run(source, rng, 40), "") << "sequence " << s;
}
