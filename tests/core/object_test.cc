#include "dedavuz_api/object.h"

#include <gtest/gtest.h>

#include <string>

#include "support/vq_test.h"

namespace {

// A two-attribute handle over a rep that records what it was asked, standing in for the
// real handle classes.
class NoteRep : public VQObjectRep {
 public:
  enum Attribute { dn = 0, text = 1, derived = 2, count = 3 };

  NoteRep() : active_(count) {}
  explicit NoteRep(const std::string& name) : NoteRep() {
    name_ = name;
    active_.add(dn);
  }

  static const VQIntegerSet& get_valid_attributes(VQObjectOperation op) {
    static const VQIntegerSet* const sets[] = {
        new VQIntegerSet(count, true),
        [] {
          auto* s = new VQIntegerSet(count);
          s->add(text);
          return s;
        }(),
        [] {
          auto* s = new VQIntegerSet(count);
          s->add(text);
          return s;
        }(),
    };
    return *sets[op];
  }

  bool exists() const override { return server_has_; }
  VQStatus create_with_all_attributes() override {
    return create_with_some_attributes(active_ & get_valid_attributes(create));
  }
  VQStatus create_with_some_attributes(const VQIntegerSet& s) override {
    last_request_ = s;
    server_has_ = true;
    return VQStatus::success;
  }
  VQStatus destroy() override {
    server_has_ = false;
    return VQStatus::success;
  }
  VQStatus load_all_attributes() override {
    return load_some_attributes(get_valid_attributes(load));
  }
  VQStatus load_some_attributes(const VQIntegerSet& s) override {
    if (!active_[dn]) return VQStatus(VQStatus::Code::missing_mandatory_attribute, "Note::dn");
    last_request_ = s;
    active_ |= s;
    return VQStatus::success;
  }
  VQStatus store_all_attributes() override {
    return store_some_attributes(active_ & get_valid_attributes(store));
  }
  VQStatus store_some_attributes(const VQIntegerSet& s) override {
    last_request_ = s;
    return VQStatus::success;
  }
  VQStatus load_all_defaults() override { return load_some_defaults(get_valid_attributes(load)); }
  VQStatus load_some_defaults(const VQIntegerSet& s) override {
    if (s[text]) set_text("default");
    return VQStatus::success;
  }
  void get_active_attributes(VQIntegerSet& out) const override { out = active_; }
  void clear_all_attributes() override { active_ = false; }
  void clear_some_attributes(const VQIntegerSet& s) override { active_ &= !s; }

  VQStatus get_text(std::string& out) const {
    if (!active_[text]) return VQStatus(VQStatus::Code::attribute_not_set, "Note::text");
    out = text_;
    return VQStatus::success;
  }
  void set_text(const std::string& value) {
    text_ = value;
    active_.add(text);
  }

  VQIntegerSet last_request_;

 private:
  std::string name_;
  std::string text_;
  bool server_has_ = false;
  VQIntegerSet active_;
};

class Note : public VQObject {
 public:
  Note() : rep_(new NoteRep) { VQObject::rep_ = rep_; }
  explicit Note(const std::string& name) : rep_(new NoteRep(name)) { VQObject::rep_ = rep_; }
  Note(const Note& other) : VQObject(other) { *this = other; }
  Note& operator=(const Note& other) {
    if (this == &other) return *this;
    vq_internal::assign_rep(rep_, other.rep_);
    VQObject::rep_ = rep_;
    return *this;
  }
  ~Note() override { delete rep_; }

  NoteRep& rep() { return *rep_; }
  const NoteRep& rep() const { return *rep_; }

 private:
  NoteRep* rep_ = nullptr;
};

VQIntegerSet set_of(std::initializer_list<long> values) {
  VQIntegerSet s(NoteRep::count);
  for (long v : values) s.add(v);
  return s;
}

TEST(VQObjectTest, CopiesAreDeep) {
  Note source("n");
  source.rep().set_text("a");
  Note copy(source);
  copy.rep().set_text("b");
  copy.clear_all_attributes();

  std::string text;
  EXPECT_VQ_OK(source.rep().get_text(text));
  EXPECT_EQ(text, "a");
  VQIntegerSet active;
  source.get_active_attributes(active);
  EXPECT_EQ(active, set_of({NoteRep::dn, NoteRep::text}));

  Note assigned;
  assigned = source;
  assigned.rep().set_text("c");
  EXPECT_VQ_OK(source.rep().get_text(text));
  EXPECT_EQ(text, "a");

  Note moved(std::move(assigned));  // a move is a copy: the source keeps its rep
  EXPECT_VQ_OK(assigned.rep().get_text(text));
  EXPECT_VQ_OK(moved.rep().get_text(text));
}

TEST(VQObjectTest, SelfAssignmentKeepsTheHandle) {
  Note note("n");
  note.rep().set_text("a");
  const Note& alias = note;
  note = alias;
  std::string text;
  EXPECT_VQ_OK(note.rep().get_text(text));
  EXPECT_EQ(text, "a");
}

TEST(VQObjectTest, ClearAllMakesGettersReportNotSet) {
  Note note("n");
  note.rep().set_text("a");
  note.clear_all_attributes();
  std::string text;
  EXPECT_VQ_ERROR(note.rep().get_text(text), VQStatus::Code::attribute_not_set);
  note.rep().set_text("b");
  note.clear_some_attributes(set_of({NoteRep::text}));
  VQIntegerSet active;
  note.get_active_attributes(active);
  EXPECT_EQ(active.num_members(), 0);
}

TEST(VQObjectTest, AllOperationsPassOnlyTheValidAttributes) {
  Note note("n");
  note.rep().set_text("a");
  EXPECT_VQ_OK(note.create_with_all_attributes());
  EXPECT_EQ(note.rep().last_request_, set_of({NoteRep::text}));
  EXPECT_TRUE(note.exists());
  EXPECT_VQ_OK(note.store_all_attributes());
  EXPECT_EQ(note.rep().last_request_, set_of({NoteRep::text}));

  note.clear_all_attributes();
  Note named("n");
  EXPECT_VQ_OK(named.load_all_attributes());
  EXPECT_EQ(named.rep().last_request_, VQIntegerSet(NoteRep::count, true));
  EXPECT_VQ_OK(named.destroy());
  EXPECT_FALSE(named.exists());
}

TEST(VQObjectTest, HandleReturnsTheRepresentationsStatusUnchanged) {
  Note unnamed;
  const VQStatus status = unnamed.load_some_attributes(set_of({NoteRep::text}));
  EXPECT_VQ_ERROR(status, VQStatus::Code::missing_mandatory_attribute);
  EXPECT_EQ(status.message(), "Note::dn");
}

TEST(VQObjectTest, DefaultsAreLocal) {
  Note note("n");
  EXPECT_VQ_OK(note.rep().load_all_defaults());
  std::string text;
  EXPECT_VQ_OK(note.rep().get_text(text));
  EXPECT_EQ(text, "default");
  EXPECT_FALSE(note.exists());
}

TEST(VQObjectTest, StaticSetsAreBuiltOnce) {
  EXPECT_EQ(&NoteRep::get_valid_attributes(create), &NoteRep::get_valid_attributes(create));
}

}  // namespace
