// Where text goes, piece after piece and in order: a page file being
// written, or a string in a test. A renderer writes its page here and never
// learns which; the encoding it asks for decides the bytes the text becomes.
#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

// The bytes a page's text becomes: the classic pages are code page 932, the
// review pages UTF-8.
enum class PageEncoding { kCp932, kUtf8 };

class TextSink {
 public:
  virtual void Write(std::u16string_view text) = 0;

 protected:
  ~TextSink() = default;
};

// Gathers everything written in one string.
class StringSink final : public TextSink {
 public:
  void Write(std::u16string_view text) override { text_ += text; }
  const std::u16string& Text() const { return text_; }

 private:
  std::u16string text_;
};

}  // namespace tarnwick
