// Where text goes, piece after piece and in order: a page file being
// written, or a string in a test. A renderer writes its page here and never
// learns which; the encoding it asks for decides the bytes the text becomes.
//
// A page whose head sums up what follows (counts, a list) writes what
// follows into a spool first and places it once the head is written:
//
//   std::unique_ptr<TextSpool> body = page.Spool();
//   body->Write(...);            // while the comparison runs
//   page.Write(head);            // once it has ended
//   body->Place();               // the body, after the head
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace tarnwick {

// The bytes a page's text becomes: the classic pages are code page 932, the
// review pages UTF-8.
enum class PageEncoding { kCp932, kUtf8 };

class TextSpool;

class TextSink {
 public:
  virtual void Write(std::u16string_view text) = 0;
  // Room for text that goes into this sink later, at the point where Place is
  // called. Here it is held in memory; a page file holds it on disk.
  virtual std::unique_ptr<TextSpool> Spool();

 protected:
  ~TextSink() = default;
};

// Text taken now for a later place in the sink that made it.
class TextSpool : public TextSink {
 public:
  virtual ~TextSpool() = default;
  // Writes everything taken so far into its sink, in order, and empties the
  // spool, which takes more afterwards. The sink reports any failure as it
  // reports its own.
  virtual void Place() = 0;
};

// Gathers everything written in one string.
class StringSink final : public TextSink {
 public:
  void Write(std::u16string_view text) override { text_ += text; }
  const std::u16string& Text() const { return text_; }

 private:
  std::u16string text_;
};

// A spool held in memory.
class MemorySpool final : public TextSpool {
 public:
  explicit MemorySpool(TextSink& sink) : sink_(sink) {}
  void Write(std::u16string_view text) override { text_ += text; }
  void Place() override {
    sink_.Write(text_);
    text_.clear();
  }

 private:
  TextSink& sink_;
  std::u16string text_;
};

inline std::unique_ptr<TextSpool> TextSink::Spool() {
  return std::make_unique<MemorySpool>(*this);
}

}  // namespace tarnwick
