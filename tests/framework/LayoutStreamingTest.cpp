// Layout streaming with stand-in component classes: reading creates and
// configures components by class name, writing records exactly the values
// that differ from the declared defaults, and a round trip is exact.

#include <gtest/gtest.h>

#include "framework/ClassBuilder.h"
#include "framework/ClassRegistry.h"
#include "framework/Component.h"
#include "framework/Font.h"
#include "framework/LayoutParser.h"
#include "framework/LayoutReader.h"
#include "framework/LayoutWriter.h"

namespace {

enum TMood : uint8_t { mdCalm, mdBusy, mdAngry };

const TEnumInfo& MoodInfo() {
  static const TEnumInfo info("TMood", {"mdCalm", "mdBusy", "mdAngry"});
  return info;
}

// A widget with one property of every kind. Mood declares mdBusy as its
// default although a new widget starts calm, the way a component may declare
// a default that differs from its initial value.
class TWidget : public TComponent {
public:
  explicit TWidget(TComponent* owner) : TComponent(owner) {}
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info =
        TClassBuilder<TWidget>("TWidget", &TComponent::StaticClassInfo())
            .Creatable()
            .Int("Left", &TWidget::left, &TWidget::left)
            .Bool("Shown", &TWidget::shown, &TWidget::shown, true)
            .Float("Ratio", &TWidget::ratio, &TWidget::ratio, 0.0)
            .Str("Caption", &TWidget::caption, &TWidget::caption, std::string())
            .Enum<TMood>("Mood", MoodInfo(), &TWidget::mood, &TWidget::mood, mdBusy)
            .SetOf<TFontStyle>("Styles", FontStyleInfo(), &TWidget::styles, &TWidget::styles, TFontStyles{})
            .Color("Color", &TWidget::color, &TWidget::color, clBtnFace)
            .Object("Font", &TWidget::FontPtr)
            .Stored(&TWidget::ownFont)
            .Bool("ParentFont", &TWidget::parentFont, &TWidget::SetParentFont, true)
            .Event("OnClick", &TWidget::OnClick)
            .Build();
    return info;
  }
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  TComponent* GetParentComponent() const override { return parent; }
  void SetParentComponent(TComponent* p) override { parent = dynamic_cast<TWidget*>(p); }
  bool AcceptsChildren() const override { return true; }
  void Loaded() override { ++loadedCalls; }

  TFont* FontPtr() { return &font; }
  bool ownFont() const { return !parentFont; }
  void SetParentFont(bool v) { parentFont = v; }

  int left = 0;
  bool shown = true;
  double ratio = 0;
  std::string caption;
  TMood mood = mdCalm;
  TFontStyles styles;
  TColor color = clBtnFace;
  TFont font;
  bool parentFont = true;
  TNotifyEvent OnClick;
  TWidget* parent = nullptr;
  int loadedCalls = 0;
};

class TRootForm : public TComponent {
public:
  explicit TRootForm(TComponent* owner = nullptr) : TComponent(owner) {}
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TRootForm>("TRootForm", &TComponent::StaticClassInfo())
                                       .Str("Caption", &TRootForm::caption, &TRootForm::caption, std::string())
                                       .Method<&TRootForm::WidgetClick>("WidgetClick")
                                       .Method<&TRootForm::Other>("Other")
                                       .Method<&TRootForm::WrongKind>("WrongKind")
                                       .Field("Box", &TRootForm::Box)
                                       .Field("Button", &TRootForm::Button)
                                       .Build();
    return info;
  }
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
  bool AcceptsChildren() const override { return true; }
  void WidgetClick(TObject* sender) { clicked = sender; }
  void Other(TObject*) {}
  void WrongKind(int) {}

  std::string caption;
  TWidget* Box = nullptr;
  TWidget* Button = nullptr;
  TObject* clicked = nullptr;
};

class LayoutStreaming : public ::testing::Test {
protected:
  void SetUp() override { TClassRegistry::Instance().Register(TWidget::StaticClassInfo()); }

  static void Read(TRootForm& root, const std::string& text) {
    TLayoutReader::ReadRoot(root, TLayoutParser::Parse(text));
  }
};

// Layout texts are UTF-8, while narrow literals here are code page 1250.
std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

// The canonical text: what the writer produces, property by property.
const std::string kLayout = Utf8(
    u8"object Main: TRootForm\n"
    "  Caption = 'Kilépés ''most'''#13#10'ő'\n"
    "  object Box: TWidget\n"
    "    Left = 332\n"
    "    Mood = mdCalm\n"
    "    Color = $00DDE0CD\n"
    "    object Button: TWidget\n"
    "      Tag = 8\n"
    "      Left = -5\n"
    "      Shown = False\n"
    "      Ratio = 0.1\n"
    "      Caption = 'Korvex 7 telepítése'\n"
    "      Mood = mdCalm\n"
    "      Styles = [fsBold, fsUnderline]\n"
    "      Color = clRed\n"
    "      Font.Charset = 1\n"
    "      Font.Color = clRed\n"
    "      Font.Height = -20\n"
    "      Font.Name = 'Arial CE'\n"
    "      Font.Style = [fsBold]\n"
    "      ParentFont = False\n"
    "      OnClick = WidgetClick\n"
    "    end\n"
    "  end\n"
    "  object Timer1: TWidget\n"
    "    Left = 0\n"
    "    Mood = mdCalm\n"
    "  end\n"
    "end\n");

TEST_F(LayoutStreaming, ReadingCreatesNestsAndConfiguresComponents) {
  TRootForm root;
  Read(root, kLayout);

  EXPECT_EQ(root.caption, "Kilépés 'most'\r\nő");
  ASSERT_EQ(root.ComponentCount(), 3);
  ASSERT_NE(root.Box, nullptr);
  ASSERT_NE(root.Button, nullptr);
  EXPECT_EQ(root.Components(1), root.Button);
  EXPECT_EQ(root.Button->Owner(), &root);
  EXPECT_EQ(root.Button->parent, root.Box);
  EXPECT_EQ(root.Button->Tag(), 8);
  EXPECT_EQ(root.Button->left, -5);
  EXPECT_FALSE(root.Button->shown);
  EXPECT_DOUBLE_EQ(root.Button->ratio, 0.1);
  EXPECT_EQ(root.Button->caption, "Korvex 7 telepítése");
  EXPECT_TRUE(root.Button->styles.Contains(fsBold));
  EXPECT_FALSE(root.Button->styles.Contains(fsItalic));
  EXPECT_EQ(root.Button->font.Name(), "Arial CE");
  EXPECT_EQ(root.Button->font.Height(), -20);
  EXPECT_EQ(root.Box->color, RGBColor(205, 224, 221));
  EXPECT_EQ(root.Box->mood, mdCalm);
  EXPECT_EQ(root.FindComponent("timer1")->Name(), "Timer1");

  ASSERT_TRUE(root.Button->OnClick);
  root.Button->OnClick(root.Button);
  EXPECT_EQ(root.clicked, root.Button);

  for (int i = 0; i < root.ComponentCount(); ++i) {
    auto* w = static_cast<TWidget*>(root.Components(i));
    EXPECT_EQ(w->loadedCalls, 1) << w->Name();
    EXPECT_FALSE(w->Loading());
  }
}

TEST_F(LayoutStreaming, WritingBackGivesTheSameText) {
  TRootForm root;
  Read(root, kLayout);
  EXPECT_EQ(TLayoutWriter::Write(root), kLayout);
}

TEST_F(LayoutStreaming, DeclaredDefaultsDecideWhatIsWritten) {
  TRootForm root;
  root.SetName("Main");
  auto* w = new TWidget(&root);
  w->SetName("W");
  // A new widget starts calm, which differs from the declared default mdBusy:
  // it is written. Left declares no default: always written.
  EXPECT_EQ(TLayoutWriter::Write(root),
            "object Main: TRootForm\n  object W: TWidget\n    Left = 0\n    Mood = mdCalm\n  end\nend\n");
  w->mood = mdBusy;
  w->font.SetHeight(-30);  // not written while the font is the parent's
  w->OnClick = TNotifyEvent::Of<&TRootForm::Other>(&root);
  EXPECT_EQ(TLayoutWriter::Write(root),
            "object Main: TRootForm\n  object W: TWidget\n    Left = 0\n    OnClick = Other\n  end\nend\n");
}

TEST_F(LayoutStreaming, MalformedTextNamesTheLine) {
  struct Case {
    const char* text;
    int line;
  };
  const Case cases[] = {
      {"object A: TRootForm\n  Caption = 'open\nend\n", 2},
      {"object A: TRootForm\n  Caption 'x'\nend\n", 2},
      {"object A: TRootForm\n  object B: TWidget\n  end\n", 3},
      {"object A: TRootForm\nend\nobject B: TRootForm\nend\n", 3},
      {"object A TRootForm\nend\n", 1},
      {"object A: TRootForm\n  Caption = #300\nend\n", 2},
      {"object A: TRootForm\n  Caption = 'x' y\nend\n", 2},
      {"", 1},
  };
  for (const auto& c : cases) {
    try {
      TLayoutParser::Parse(c.text);
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const EParserError& e) {
      EXPECT_EQ(e.Line, c.line) << c.text << " -> " << e.Message();
    }
  }
}

TEST_F(LayoutStreaming, ReadingRefusesWhatTheClassesDoNotHave) {
  const char* bad[] = {
      "object A: TRootForm\n  Colour = clRed\nend\n",                             // unknown property
      "object A: TRootForm\n  object X: TNoSuchClass\n  end\nend\n",              // unknown class
      "object A: TRootForm\n  object X: TWidget\n    Mood = mdHappy\n  end\nend\n",  // unknown value
      "object A: TRootForm\n  object X: TWidget\n    Shown = 1\n  end\nend\n",      // wrong kind
      "object A: TRootForm\n  object X: TWidget\n    OnClick = Missing\n  end\nend\n",
      "object A: TRootForm\n  object X: TWidget\n    OnClick = WrongKind\n  end\nend\n",
      "object A: TRootForm\n  object X: TWidget\n    Font = 1\n  end\nend\n",
      "object A: TRootForm\n  object X: TWidget\n  end\n  object x: TWidget\n  end\nend\n",  // duplicate name
      "object A: TRootForm\n  object Box: TRootForm\n  end\nend\n",  // not registered as creatable
  };
  for (const char* text : bad) {
    TRootForm root;
    EXPECT_THROW(Read(root, text), EReadError) << text;
  }
}

class TGadget : public TComponent {
public:
  using TComponent::TComponent;
  static const TClassInfo& StaticClassInfo() {
    static const TClassInfo info =
        TClassBuilder<TGadget>("TGadget", &TComponent::StaticClassInfo()).Creatable().Build();
    return info;
  }
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
};

TEST_F(LayoutStreaming, AFieldOfAnotherClassIsRefused) {
  TClassRegistry::Instance().Register(TGadget::StaticClassInfo());
  TRootForm root;
  EXPECT_THROW(Read(root, "object A: TRootForm\n  object Box: TGadget\n  end\nend\n"), EReadError);
}

TEST_F(LayoutStreaming, AnInheritedObjectUpdatesTheExistingComponent) {
  TRootForm root;
  Read(root, "object A: TRootForm\n  object Box: TWidget\n    Left = 1\n  end\nend\n");
  TWidget* box = root.Box;
  Read(root, "inherited A: TRootForm\n  inherited Box: TWidget\n    Left = 2\n  end\nend\n");
  EXPECT_EQ(root.Box, box);
  EXPECT_EQ(root.ComponentCount(), 1);
  EXPECT_EQ(box->left, 2);
  EXPECT_THROW(Read(root, "inherited A: TRootForm\n  inherited Nope: TWidget\n  end\nend\n"), EReadError);
}

TEST_F(LayoutStreaming, FormsOfOneOwnerReadFromOneLayoutTakeFreeNames) {
  TComponent owner(nullptr);
  std::vector<TRootForm*> roots{new TRootForm(&owner), new TRootForm(&owner), new TRootForm(&owner)};
  for (TRootForm* r : roots) Read(*r, "object Main: TRootForm\nend\n");
  EXPECT_EQ(roots[0]->Name(), "Main");
  EXPECT_EQ(roots[1]->Name(), "Main_1");
  EXPECT_EQ(roots[2]->Name(), "Main_2");
}

TEST(ComponentOwnership, OwnerFreesWhatItOwnsAndNamesAreUnique) {
  static int destroyed = 0;
  class TCounted : public TComponent {
  public:
    using TComponent::TComponent;
    ~TCounted() override { ++destroyed; }
  };
  auto* root = new TComponent(nullptr);
  auto* a = new TCounted(root);
  auto* b = new TCounted(a);
  (void)b;
  a->SetName("Label1");
  auto* c = new TCounted(root);
  EXPECT_THROW(c->SetName("LABEL1"), EComponentError);
  EXPECT_THROW(c->SetName("1abel"), EComponentError);
  TComponent::Free(c);
  EXPECT_EQ(destroyed, 1);
  EXPECT_EQ(root->ComponentCount(), 1);
  TComponent::Free(root);
  EXPECT_EQ(destroyed, 3);
}

}  // namespace
