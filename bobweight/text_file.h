// Small helpers for the bobweight text files: line ends as the platform's text
// mode writes them, and a scanner that reads numbers and lines the way the
// files are laid out.
#pragma once

#include <cstddef>
#include <string>

namespace balancer {

// Text written with '\n' as the platform's text files have it: CR LF on
// Windows, unchanged elsewhere.
std::string ToFileLineEnds(const std::string& text);

// A file read as bytes, with CR LF turned back into '\n' when the file was
// written with CR LF line ends (its first line end tells), so cards written
// on either platform read alike and a CR inside the notes survives.
std::string FromFileLineEnds(const std::string& bytes);

class CardScanner {
 public:
  explicit CardScanner(std::string text) : text_(std::move(text)) {}

  // Skips white space and reads one decimal number. On failure the value is
  // left as it was and the unreadable word is skipped.
  bool ReadNumber(double& value);
  // The same, and the number must lie in [low, high]; one outside counts as
  // unreadable.
  bool ReadNumber(double& value, double low, double high);
  // The rest of the current line without its '\n' (which is consumed).
  std::string ReadLine();
  void SkipRestOfLine() { ReadLine(); }
  // The next white-space-separated word, "" at the end.
  std::string ReadWord();
  // Everything up to `stop` (consumed, not returned) or the end.
  std::string ReadUntil(char stop);
  bool AtEnd() const { return pos_ >= text_.size(); }

 private:
  std::string text_;
  size_t pos_ = 0;
};

// Reads a decimal number at the start of `text` as atof would (leading blanks
// skipped, stops at the first character that cannot belong to it). False when
// no digit was read or the number does not fit a double; `value` is then left
// as it was.
bool LeadingNumber(const std::string& text, double& value);

}  // namespace balancer
