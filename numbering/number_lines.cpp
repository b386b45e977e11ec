// The Number! command over any TextEditor.
#include "number_lines.h"

#include "text_editor.h"

void numberLines(NumberingState& state, TextEditor& editor, const std::string& separatorText) {
  // Taken once: the labels inserted below do not change how many lines are labelled.
  state.lineCount = editor.lineCount();
  state.separator = separatorText;

  for (int32_t line = 0; line < state.lineCount; ++line) {
    // Asked afresh each time, so the labels already inserted above are counted in.
    state.lineStart = editor.lineIndex(line);
    editor.setSelection(state.lineStart, state.lineStart);

    const int32_t number = line + 1;
    if (state.mode == kArabicNumbering) {
      state.label = std::to_string(number) + state.separator;
    } else if (state.mode == kRomanNumbering) {
      state.label = toRoman(state.romanTable, number) + state.separator;
    }
    // Any other mode keeps the previous label, which is then still the empty text.

    editor.replaceSelection(state.label, true);
  }
}
