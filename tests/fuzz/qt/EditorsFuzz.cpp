// The two editors against each other: the same sequence of EditorControl operations on
// MemoryEditor and on QtRichEdit (shown, on whatever platform the QApplication runs) gives the
// same text, the same selection and the same colour for every byte after every step; with word
// wrap off (the Qt editor wraps by pixels, MemoryEditor by bytes) also the same lines.

#include <QApplication>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "FuzzInput.h"
#include "FuzzTargets.h"
#include "editor/MemoryEditor.h"
#include "qt/QtRichEdit.h"

namespace pemrin::fuzz {

namespace {

const TColor kColors[] = {0x000000, 0x00FF00, 0xFF0000, 0x008000, 0xFFFFFF};

class Pair {
 public:
  Pair() {
    qt_.resize(400, 300);
    qt_.show();
    for (EditorControl* e : Both()) e->SetFontColor(kColors[0]);
  }

  std::vector<EditorControl*> Both() { return {&memory_, &qt_}; }

  // One operation on both editors; returns what it was, for the report of a difference.
  std::string Step(FuzzInput& in) {
    const int op = in.Below(20);
    switch (op) {
      case 0: {
        const Bytes text = in.String(80);
        for (EditorControl* e : Both()) e->SetText(text);
        return "SetText(\"" + Printable(text) + "\")";
      }
      case 1: {
        const int pos = Position(in);
        for (EditorControl* e : Both()) e->SetSelStart(pos);
        return "SetSelStart(" + std::to_string(pos) + ")";
      }
      case 2: {
        const int length = in.Below(12) - 2;
        for (EditorControl* e : Both()) e->SetSelLength(length);
        return "SetSelLength(" + std::to_string(length) + ")";
      }
      case 3:
      case 4: {
        const int a = Position(in), b = Position(in);
        for (EditorControl* e : Both()) e->SetSel(a, b);
        return "SetSel(" + std::to_string(a) + ", " + std::to_string(b) + ")";
      }
      case 5:
        for (EditorControl* e : Both()) e->SelectAll();
        return "SelectAll()";
      case 6:
      case 7: {
        const Bytes text = Insertion(in);
        for (EditorControl* e : Both()) e->SetSelTextBuf(text);
        return "SetSelTextBuf(\"" + Printable(text) + "\")";
      }
      case 8:
      case 9: {
        const Bytes text = Insertion(in);
        for (EditorControl* e : Both()) e->ReplaceSelectionAsUser(text);
        return "ReplaceSelectionAsUser(\"" + Printable(text) + "\")";
      }
      case 10:
      case 11: {
        const TColor color = kColors[in.Below(5)];
        for (EditorControl* e : Both()) e->SetSelColor(color);
        return "SetSelColor(" + std::to_string(color) + ")";
      }
      case 12:
        for (EditorControl* e : Both()) e->Undo();
        return "Undo()";
      case 13: {
        const bool visible = !qt_.Visible();
        for (EditorControl* e : Both()) e->SetVisible(visible);
        return visible ? "SetVisible(true)" : "SetVisible(false)";
      }
      case 14: {
        const bool wrap = !qt_.WordWrap();
        for (EditorControl* e : Both()) e->SetWordWrap(wrap);
        return wrap ? "SetWordWrap(true)" : "SetWordWrap(false)";
      }
      case 15:
        QApplication::processEvents();
        return "processEvents()";
      case 16: {
        const TColor color = kColors[in.Below(5)];
        for (EditorControl* e : Both()) e->SetFontColor(color);
        return "SetFontColor(" + std::to_string(color) + ")";
      }
      case 17: {
        // What Delete1Click and a completion do: replace the selection, then select anew.
        const Bytes text = Insertion(in);
        const int a = Position(in), b = Position(in);
        for (EditorControl* e : Both()) {
          e->SetSelTextBuf(text);
          e->SetSel(a, b);
        }
        return "SetSelTextBuf(\"" + Printable(text) + "\"); SetSel(" + std::to_string(a) + ", " +
               std::to_string(b) + ")";
      }
      default: {
        const Bytes needle = in.String(4);
        const int start = Position(in), length = in.Below(64);
        const FindOptions options{static_cast<bool>(in.Byte() & 1),
                                  static_cast<bool>(in.Byte() & 1)};
        const int start0 = std::clamp(start, 0, memory_.TextLength());
        const int a = memory_.FindText(needle, start0, length, options);
        const int b = qt_.FindText(needle, start0, length, options);
        const std::string call = "FindText(\"" + Printable(needle) + "\", " +
                                 std::to_string(start0) + ", " + std::to_string(length) + ")";
        Check(a == b,
              call + " gives " + std::to_string(a) + " in memory, " + std::to_string(b) + " in Qt");
        return call;
      }
    }
  }

  // Both editors' text, selection and colours, for following a reproducer step by step.
  std::string State() {
    std::string out;
    for (EditorControl* e : Both()) {
      out += "  \"" + Printable(e->Text()) + "\" sel " + std::to_string(e->SelStart()) + "+" +
             std::to_string(e->SelLength()) + " colours";
      for (int i = 0; i < e->TextLength(); ++i) out += " " + std::to_string(e->ColorAt(i));
      out += " next " + std::to_string(e->SelColor()) + "\n";
    }
    return out;
  }

  // Whether both editors agree; the first difference otherwise.
  std::string Difference() {
    const Bytes a = memory_.Text(), b = qt_.Text();
    if (a != b) return "Text \"" + Printable(a) + "\" in memory, \"" + Printable(b) + "\" in Qt";
    if (memory_.TextLength() != qt_.TextLength()) return "TextLength";
    if (memory_.SelStart() != qt_.SelStart() || memory_.SelLength() != qt_.SelLength()) {
      return "selection " + std::to_string(memory_.SelStart()) + "+" +
             std::to_string(memory_.SelLength()) + " in memory, " + std::to_string(qt_.SelStart()) +
             "+" + std::to_string(qt_.SelLength()) + " in Qt";
    }
    if (memory_.SelText() != qt_.SelText()) return "SelText";
    for (int i = 0; i < static_cast<int>(a.size()); ++i) {
      if (memory_.ColorAt(i) != qt_.ColorAt(i)) {
        return "colour of byte " + std::to_string(i) + ": " + std::to_string(memory_.ColorAt(i)) +
               " in memory, " + std::to_string(qt_.ColorAt(i)) + " in Qt";
      }
    }
    if (!qt_.WordWrap()) {
      if (memory_.LineCount() != qt_.LineCount()) return "LineCount";
      for (int line = 0; line < memory_.LineCount(); ++line) {
        if (memory_.Line(line) != qt_.Line(line)) return "Line(" + std::to_string(line) + ")";
        if (memory_.LineIndex(line) != qt_.LineIndex(line))
          return "LineIndex(" + std::to_string(line) + ")";
      }
      if (memory_.LineFromChar(-1) != qt_.LineFromChar(-1)) return "LineFromChar(-1)";
    }
    return "";
  }

 private:
  int Position(FuzzInput& in) {
    const int size = memory_.TextLength();
    return in.Below(size + 5) - 2;  // -2 .. size + 2
  }

  // Text to insert: ASCII, CR and LF, Japanese characters and stray bytes.
  static Bytes Insertion(FuzzInput& in) {
    const int kind = in.Below(4);
    if (kind == 0) return Bytes();
    if (kind == 1) {
      static const char* const kPieces[] = {"<",    ">",        "\r\n",     "\r",       "\n",
                                            "a",    " ",        "\x83\x41", "\x83\x61", "\x95\x5C",
                                            "\x83", "\x81\x5B", "\xA0",     "\t"};
      Bytes text;
      for (int n = in.Below(4) + 1; n > 0; --n) text += kPieces[in.Below(14)];
      return text;
    }
    return in.String(8);
  }

  MemoryEditor memory_{};
  qt::QtRichEdit qt_;
};

}  // namespace

void FuzzEditors(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  Pair pair;
  std::string steps;
  static const bool trace = std::getenv("PEMRIN_FUZZ_TRACE") != nullptr;
  for (int step = 0; step < 100 && !in.Empty(); ++step) {
    const std::string done = pair.Step(in);
    steps += done + "; ";
    if (trace) std::fprintf(stderr, "%s\n%s", done.c_str(), pair.State().c_str());
    const std::string difference = pair.Difference();
    Check(difference.empty(), "after " + steps + "\n  " + difference);
  }
}

}  // namespace pemrin::fuzz
