#pragma once

#include <memory>
#include <string>
#include <vector>

#include "crypto/MemoryStream.h"

namespace zidezo {

class TShower;

// The base of everything a test page lays out.
class TShowerBase {
 public:
  virtual ~TShowerBase() = default;

  virtual std::string DisplayText() const { return {}; }
  virtual void SetDisplayText(const std::string&) {}
  // A row that shows this item as its question; questions keep track of their rows.
  virtual void RegisterShower(TShower*) {}

  // Created on first request; the item keeps it.
  TMemoryStream& ContentStream();
  bool HasContentStream() const { return content_ != nullptr; }

  int left = 0, top = 0, height = 0, width = 0;
  int layoutValue = 0;   // set and copied by the page layout tools
  bool layoutFlag = false;
  int kind = 0;          // 1 and 2 choose the control that shows the item

 private:
  std::unique_ptr<TMemoryStream> content_;
};

// A display item that keeps a text of its own.
class TComplicatedTestContent : public TShowerBase {
 public:
  TComplicatedTestContent() = default;
  explicit TComplicatedTestContent(std::string text) : text_(std::move(text)) {}
  std::string DisplayText() const override { return text_; }
  void SetDisplayText(const std::string& text) override { text_ = text; }

 private:
  std::string text_;
};

// One row of a test page. Display items belong to their question, except the complicated
// contents, which the row keeps.
class TShower {
 public:
  void Add(TShowerBase* item) { items_.push_back(item); }
  void Add(std::unique_ptr<TComplicatedTestContent> item);
  int Count() const { return static_cast<int>(items_.size()); }
  // None outside 0 .. Count() - 1.
  TShowerBase* Item(int index) const;

  TShowerBase* Question() const { return question_; }
  void SetQuestion(TShowerBase* question);

  int value = 0;
  bool flag = true;
  bool done = true;

 private:
  std::vector<TShowerBase*> items_;
  std::vector<std::unique_ptr<TComplicatedTestContent>> owned_;
  TShowerBase* question_ = nullptr;
};

// One test page and its rows.
class TPageShowers {
 public:
  TShower* Add(std::unique_ptr<TShower> row);
  int Count() const { return static_cast<int>(rows_.size()); }
  TShower* Row(int index) const;
  // Every row carries its done mark; an empty page is complete.
  bool Complete() const;

  bool flag = false;

 private:
  std::vector<std::unique_ptr<TShower>> rows_;
};

}  // namespace zidezo
