// Reads values out of a file's text the way the C stream functions the file
// formats were designed around do: %d, %Lf (leading white space skipped, a
// value stops at the first character that cannot belong to it) and fgets.
#pragma once

#include <string>

namespace balancer {

class TextScanner {
 public:
  explicit TextScanner(const std::string& text) : text_(text) {}

  // One "%d"; true when a value was converted (the cursor then stands after
  // it). A value outside int saturates.
  bool Int(int& value);
  // One "%Lf" through ReadFiniteNumber: true when a finite plain decimal
  // value was converted; "nan", "inf" and 1e999 are no numbers.
  bool Double(double& value);
  // fgets with a buffer of `bufferSize`: up to bufferSize - 1 characters,
  // ending after the first line feed. False at the end of the text.
  bool ReadLine(size_t bufferSize, std::string& line);
  // One text field of a line: the whole line is consumed (also its CR LF),
  // and the field gets at most `maxLength` characters of it. False at the
  // end of the text.
  bool ReadField(size_t maxLength, std::string& field);
  // Moves past the next line feed (or to the end).
  void SkipRestOfLine();
  // A literal blank-run in a scanf format: skips white space.
  void SkipWhite();
  bool AtEnd() const { return pos_ >= text_.size(); }
  size_t Position() const { return pos_; }

 private:
  const std::string& text_;
  size_t pos_ = 0;
};

}  // namespace balancer
