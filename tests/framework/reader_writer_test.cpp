// The component writer and reader: every value kind through binary and text, defaults, stored tests,
// reading into existing roots, class lookup, error messages, references, Loaded and damaged streams.
#include "test_classes.h"

#include "core/ClassRegistry.h"
#include "core/Streams.h"
#include "core/SysUtils.h"
#include "rtti/Properties.h"
#include "streaming/ObjectText.h"
#include "streaming/Reader.h"
#include "streaming/Writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <sstream>

namespace {

using namespace std::string_literals;

std::string Crlf(std::string_view text) {
    std::string result;
    for (char c : text) {
        if (c == '\n') result += '\r';
        result += c;
    }
    return result;
}

std::string WriteRoot(TComponent* root) {
    TStringStream stream;
    {
        TWriter writer(stream, 64); // small, so records cross buffer flushes
        writer.WriteRootComponent(root);
    }
    return stream.DataString();
}

std::string BinaryToText(const std::string& binary) {
    TStringStream input(binary), output;
    ObjectBinaryToText(input, output);
    return output.DataString();
}

std::string TextToBinary(const std::string& text) {
    TStringStream input(Crlf(text)), output;
    ObjectTextToBinary(input, output);
    return output.DataString();
}

TComponent* ReadRoot(const std::string& binary, TComponent* root) {
    TStringStream stream(binary);
    TReader reader(stream, 64);
    return reader.ReadRootComponent(root);
}

template <class E = Exception> std::string MessageOf(const std::function<void()>& run) {
    try {
        run();
    } catch (const E& e) {
        return e.Message();
    }
    return "(no exception)";
}

// Every published value of an object, sub-objects, items and lines included, as comparable text.
std::string Describe(TObject* object, TComponent* root) {
    std::ostringstream out;
    out.precision(21);
    for (const TPropInfo* prop : object->ClassType()->Properties()) {
        out << prop->Name << '=';
        switch (prop->PropType->Kind) {
        case tkFloat:
            out << GetFloatProp(object, prop);
            break;
        case tkString:
        case tkLString:
            out << '\'' << GetStrProp(object, prop) << '\'';
            break;
        case tkMethod:
            out << root->MethodName(GetMethodProp(object, prop).Code);
            break;
        case tkClass: {
            TObject* value = GetObjectProp(object, prop);
            if (auto* c = dynamic_cast<TComponent*>(value))
                out << c->Name();
            else if (auto* items = dynamic_cast<TCollection*>(value))
                for (int i = 0; i < items->Count(); ++i)
                    out << '<' << Describe(items->Items(i), root) << '>';
            else if (auto* lines = dynamic_cast<TStrings*>(value))
                out << lines->Text();
            else if (value)
                out << '{' << Describe(value, root) << '}';
            break;
        }
        default:
            out << GetOrdProp(object, prop);
        }
        out << ';';
    }
    if (auto* c = dynamic_cast<TComponent*>(object)) out << "DesignInfo=" << c->DesignInfo();
    return out.str();
}

// Form1 owning Sink1 (the one the cases change) and Sink2 (a reference target).
struct TSinkFixture {
    std::unique_ptr<TSinkForm> Form = std::make_unique<TSinkForm>(nullptr);
    TKitchenSink* Sink1;
    TKitchenSink* Sink2;
    TSinkFixture() {
        Form->SetName("Form1");
        Sink1 = new TKitchenSink(Form.get());
        Sink1->SetName("Sink1");
        Sink2 = new TKitchenSink(Form.get());
        Sink2->SetName("Sink2");
    }
};

struct ValueCase {
    const char* Name;
    std::function<void(TSinkFixture&)> Change;
    const char* Line; // a line the text form must contain
};

const ValueCase ValueCases[] = {
    {"integer", [](auto& f) { f.Sink1->Integer = -123456; }, "    Integer = -123456"},
    {"integer min", [](auto& f) { f.Sink1->Integer = INT32_MIN; }, "    Integer = -2147483648"},
    {"always written", [](auto& f) { f.Sink1->Always = 7; }, "    Always = 7"},
    {"byte", [](auto& f) { f.Sink1->Byte = 255; }, "    Byte = 255"},
    {"smallint", [](auto& f) { f.Sink1->Small = -32768; }, "    Small = -32768"},
    {"cardinal above 2^31", [](auto& f) { f.Sink1->Cardinal = 4294967295u; }, "    Cardinal = 4294967295.0"},
    {"char", [](auto& f) { f.Sink1->Letter = 'A'; }, "    Letter = 'A'"},
    {"control char", [](auto& f) { f.Sink1->Letter = '\x01'; }, "    Letter = #1"},
    {"wide char", [](auto& f) { f.Sink1->Wide = u'\u00e9'; }, "    Wide = '\xc3\xa9'"},
    {"enumeration", [](auto& f) { f.Sink1->Shape = shTriangle; }, "    Shape = shTriangle"},
    {"boolean", [](auto& f) { f.Sink1->Enabled = false; }, "    Enabled = False"},
    {"set",
     [](auto& f) {
         f.Sink1->Shapes = {shSquare, shTriangle};
     },
     "    Shapes = [shSquare, shTriangle]"},
    {"single", [](auto& f) { f.Sink1->Single = 1.5f; }, "    Single = 1.5"},
    {"single with more digits", [](auto& f) { f.Sink1->Single = 0.1f; }, "    Single = 0.1"},
    {"whole single", [](auto& f) { f.Sink1->Single = 3; }, "    Single = 3.0"},
    {"double", [](auto& f) { f.Sink1->Double = 0.1; }, "    Double = 0.1"},
    {"double of 17 digits", [](auto& f) { f.Sink1->Double = 0.1 + 0.2; }, "    Double = 0.30000000000000004"},
    {"huge double", [](auto& f) { f.Sink1->Double = -1e300; }, "    Double = -1E300"},
    {"extended", [](auto& f) { f.Sink1->Extended = 1.0L / 3; }, "    Extended = 0.33333333333333333334"},
    {"short string", [](auto& f) { f.Sink1->Short = "0123456789"; }, "    Short = '0123456789'"},
    {"string with quote", [](auto& f) { f.Sink1->Text = "it's"; }, "    Text = 'it'#39's'"},
    {"long string", [](auto& f) { f.Sink1->Text = std::string(300, 'x'); }, "    Text = "},
    {"utf-8 string", [](auto& f) { f.Sink1->Text = "h\xc3\xa9llo"; }, "    Text = 'h\xc3\xa9llo'"},
    {"named string", [](auto& f) { f.Sink1->Caption = "Hi"; }, "    Caption = 'Hi'"},
    {"named float", [](auto& f) { f.Sink1->Date = 45000.5; }, "    Date = 45000.5"},
    {"named integer", [](auto& f) { f.Sink1->Color = TSinkColor(0xFF00); }, "    Color = 65280"},
    {"event", [](auto& f) { f.Sink1->OnClick = TNotifyEvent::Bind<&TSinkForm::SinkClick>(f.Form.get()); },
     "    OnClick = SinkClick"},
    {"event with parameters",
     [](auto& f) { f.Sink1->OnKey = TSinkKeyEvent::Bind<&TSinkForm::SinkKey>(f.Form.get()); },
     "    OnKey = SinkKey"},
    {"sub-object",
     [](auto& f) {
         f.Sink1->Font()->Name = "Mono";
         f.Sink1->Font()->Size = 12;
         f.Sink1->Font()->Style = {shSquare};
     },
     "    Font.Style = [shSquare]"},
    {"reference", [](auto& f) { f.Sink1->SetBuddy(f.Sink2); }, "    Buddy = Sink2"},
    {"reference to the root", [](auto& f) { f.Sink1->SetBuddy(f.Form.get()); }, "    Buddy = Form1"},
    {"collection",
     [](auto& f) {
         static_cast<TSinkItem*>(f.Sink1->Items()->Add())->Caption = "a";
         auto* b = static_cast<TSinkItem*>(f.Sink1->Items()->Add());
         b->Width = 7;
         b->Link = f.Sink2;
     },
     "    Items = <"},
    {"strings", [](auto& f) { f.Sink1->Lines()->SetText("one\ntwo\n\n"); }, "    Lines.Strings = ("},
    {"design position", [](auto& f) { f.Sink1->SetDesignInfo(20u << 16 | 10u); }, "    Top = 20"},
};

TEST(ReaderWriter, EveryValueKindRoundTrips) {
    for (const ValueCase& c : ValueCases) {
        SCOPED_TRACE(c.Name);
        TSinkFixture original;
        std::string before = Describe(original.Sink1, original.Form.get());
        c.Change(original);
        std::string expected = Describe(original.Sink1, original.Form.get());
        ASSERT_NE(expected, before) << "the case changes nothing";

        std::string binary = WriteRoot(original.Form.get());
        std::string text = BinaryToText(binary);
        EXPECT_NE(text.find(std::string(c.Line) + "\r\n"), std::string::npos) << text;

        TSinkForm fromBinary(nullptr);
        ReadRoot(binary, &fromBinary);
        ASSERT_NE(fromBinary.Sink1, nullptr);
        EXPECT_EQ(Describe(fromBinary.Sink1, &fromBinary), expected);

        TSinkForm fromText(nullptr);
        TStringStream textInput(text), rebuilt;
        ObjectTextToBinary(textInput, rebuilt);
        ReadRoot(rebuilt.DataString(), &fromText);
        EXPECT_EQ(Describe(fromText.Sink1, &fromText), expected);
    }
}

TEST(ReaderWriter, DefaultsAndUnstoredPropertiesAreLeftOut) {
    TSinkFixture f;
    f.Sink1->Hidden = 5;
    f.Sink1->Optional = 3;
    f.Sink1->StoreOptional = false;
    f.Sink2->Optional = 4;
    f.Sink1->OnClick = TNotifyEvent(TMethod{reinterpret_cast<void*>(&Crlf), f.Form.get()}); // not published
    EXPECT_EQ(BinaryToText(WriteRoot(f.Form.get())), Crlf("object Form1: TSinkForm\n"
                                                          "  object Sink1: TKitchenSink\n"
                                                          "    Always = 0\n"
                                                          "    Items = <>\n"
                                                          "  end\n"
                                                          "  object Sink2: TKitchenSink\n"
                                                          "    Always = 0\n"
                                                          "    Items = <>\n"
                                                          "    Optional = 4\n"
                                                          "  end\n"
                                                          "end\n"));
}

TEST(ReaderWriter, ReadsIntoAnExistingRootWithOwnersParentsFieldsAndNameHook) {
    TSinkForm source(nullptr);
    source.SetName("Form1");
    source.Caption = "Main";
    source.Notes()->SetText("a\nb\n");
    auto* outer = new TSinkPanel(&source);
    outer->SetName("Panel1");
    outer->SetParentComponent(&source);
    auto* inner = new TSinkPanel(&source);
    inner->SetName("Inner");
    inner->SetParentComponent(outer);
    (new TKitchenSink(&source))->SetName("Sink1");
    std::string binary = WriteRoot(&source);

    TSinkForm target(nullptr);
    target.SetName("Other");
    TStringStream stream(binary);
    {
        TReader reader(stream);
        reader.OnSetName = [](TReader&, TComponent* c, std::string& name) {
            if (name == "Inner") name = "Inner2";
        };
        EXPECT_EQ(reader.ReadRootComponent(&target), &target);
    }
    EXPECT_EQ(target.Name(), "Form1");
    EXPECT_EQ(target.Caption, "Main");
    EXPECT_EQ(target.Notes()->Text(), "a\r\nb\r\n");
    ASSERT_EQ(target.ComponentCount(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(target.Components(i)->Owner(), &target);
    ASSERT_NE(target.Panel1, nullptr);
    EXPECT_EQ(target.Panel1, target.FindComponent("Panel1"));
    EXPECT_EQ(target.Panel1->GetParentComponent(), &target);
    auto* readInner = target.FindComponent("Inner2");
    ASSERT_NE(readInner, nullptr);
    EXPECT_EQ(readInner->GetParentComponent(), target.Panel1);
    ASSERT_NE(target.Sink1, nullptr);
    EXPECT_EQ(target.Sink1->GetParentComponent(), nullptr);
    EXPECT_EQ(stream.Position(), stream.Size());

    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(target.Components(i)->ComponentState().Contains(csLoading));
    EXPECT_FALSE(target.ComponentState().Contains(csReading));
    EXPECT_EQ(target.LoadedCalls, 1);
    EXPECT_EQ(target.Sink1->LoadedCalls, 1);
}

TEST(ReaderWriter, PublishedFieldClassesComeBeforeTheRegistry) {
    // A registered class that shares the field class's name must not be the one created.
    static TClassInfo impostor(
        "TKitchenSink", TComponent::StaticClass(),
        [](TComponent* owner) -> TObject* { return new TSinkPanel(owner); }, [](TClassInfo&) {});
    TSinkFixture f;
    std::string binary = WriteRoot(f.Form.get());
    RegisterClass(&impostor);
    TSinkForm target(nullptr);
    ReadRoot(binary, &target);
    UnRegisterClass(&impostor);
    EXPECT_NE(dynamic_cast<TKitchenSink*>(target.FindComponent("Sink2")), nullptr);
}

TEST(ReaderWriter, UnknownClassFailsAndTheFailedChildIsFreed) {
    std::string binary = TextToBinary("object Form1: TSinkForm\n"
                                      "  object Panel1: TSinkPanel\n"
                                      "  end\n"
                                      "  object Ghost1: TGhost\n"
                                      "  end\n"
                                      "end\n");
    TSinkForm target(nullptr);
    EXPECT_EQ(MessageOf<EClassNotFound>([&] { ReadRoot(binary, &target); }), "Class TGhost not found");
    EXPECT_EQ(target.ComponentCount(), 1); // what was read before the failure stays

    std::string badProperty = TextToBinary("object Form1: TSinkForm\n"
                                           "  object Panel1: TSinkPanel\n"
                                           "  end\n"
                                           "  object Panel2: TSinkPanel\n"
                                           "    Bogus = 1\n"
                                           "  end\n"
                                           "end\n");
    TSinkForm second(nullptr);
    EXPECT_THROW(ReadRoot(badProperty, &second), EReadError);
    EXPECT_EQ(second.ComponentCount(), 1);
    EXPECT_EQ(second.FindComponent("Panel2"), nullptr);
    EXPECT_EQ(second.Controls().size(), 1u);
}

TEST(ReaderWriter, AnInlineRecordWhoseLastChildFailsTakesAllItsChildrenAndTheirReferencesWithIt) {
    std::string text = "object Form1: TSinkForm\n"
                       "  object Sink1: TKitchenSink\n"
                       "    Buddy = Panel1\n"
                       "  end\n"
                       "  object Panel1: TSinkPanel\n"
                       "  end\n"
                       "  inline Frame1: TSinkPanel\n";
    // Children that refer out of the frame and to each other, so each freed one has references pending.
    for (int i = 1; i <= 2000; ++i)
        text += "    object Inner" + std::to_string(i) +
                ": TKitchenSink\n      Buddy = " + (i % 2 ? "Sink1" : "Inner" + std::to_string(i - 1)) +
                "\n    end\n";
    text += "    object Ghost1: TGhost\n    end\n  end\nend\n";
    TSinkForm form(nullptr);
    EXPECT_EQ(MessageOf<EClassNotFound>([&] { ReadRoot(TextToBinary(text), &form); }),
              "Class TGhost not found");
    EXPECT_EQ(form.ComponentCount(), 2) << "the frame and its children are gone";
    ASSERT_NE(form.Sink1, nullptr);
    EXPECT_EQ(form.Sink1->LoadedCalls, 1);
}

TEST(ReaderWriter, PropertyErrorsNameComponentPathAndReason) {
    const struct {
        const char* Property;
        const char* Message;
    } cases[] = {
        {"Bogus = 1", "Error reading Sink1.Bogus: Property does not exist"},
        {"Font.Bogus = 1", "Error reading Sink1.Font.Bogus: Property does not exist"},
        {"Integer.Size = 1", "Error reading Sink1.Integer.Size: Invalid property path"},
        {"Nothing.Size = 1", "Error reading Sink1.Nothing.Size: Invalid property path"},
        {"Buddy.Size = 1", "Error reading Sink1.Buddy.Size: Invalid property path"}, // nil object
        {"Shape = shHexagon", "Error reading Sink1.Shape: Invalid property value"},
        {"Integer = 'text'", "Error reading Sink1.Integer: Invalid property value"},
        {"Byte = 256", "Error reading Sink1.Byte: 256 is out of range (0 to 255)"},
        {"Integer = 2147483648", "Error reading Sink1.Integer: 2147483648 is out of range (-2147483648 to "
                                 "2147483647)"},
        {"Letter = 'AB'", "Error reading Sink1.Letter: Invalid property value"},
        {"Shapes = [shSquare, shOval]", "Error reading Sink1.Shapes: Invalid property value"},
        {"Enabled = 1", "Error reading Sink1.Enabled: Invalid property value"},
        {"OnClick = NoSuchMethod", "Error reading Sink1.OnClick: Invalid property value"},
        {"OnClick = SinkKey", "Error reading Sink1.OnClick: Invalid property value"}, // other signature
        {"Font = Sink1", "Error reading Sink1.Font: Invalid property value"},
        {"Items = <\n item\n Bogus = 1\n end>",
         "Error reading Sink1.Items: Error reading TSinkItem.Bogus: Property does not exist"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Property);
        std::string binary = TextToBinary(std::string("object Form1: TSinkForm\n"
                                                      "  object Sink1: TKitchenSink\n    ") +
                                          c.Property + "\n  end\nend\n");
        TSinkForm target(nullptr);
        EXPECT_EQ(MessageOf<EReadError>([&] { ReadRoot(binary, &target); }), c.Message);
    }
    // An unnamed component is named by its class.
    std::string unnamed = TextToBinary("object TSinkForm\n  Bogus = 1\nend\n");
    TSinkForm target(nullptr);
    EXPECT_EQ(MessageOf<EReadError>([&] { ReadRoot(unnamed, &target); }),
              "Error reading TSinkForm.Bogus: Property does not exist");
}

TEST(ReaderWriter, FloatPropertiesAcceptIntegersAndBigIntegersReadBack) {
    std::string binary = TextToBinary("object Form1: TSinkForm\n"
                                      "  object Sink1: TKitchenSink\n"
                                      "    Double = 3\n"
                                      "    Single = -70000\n"
                                      "    Extended = 100000000000000\n"
                                      "  end\n"
                                      "end\n");
    TSinkForm target(nullptr);
    ReadRoot(binary, &target);
    EXPECT_EQ(target.Sink1->Double, 3.0);
    EXPECT_EQ(target.Sink1->Single, -70000.0f);
    EXPECT_EQ(target.Sink1->Extended, 1e14L);
}

// Sink1 refers to Sink2, which its record precedes, and to a component of another form.
struct TReferenceFixture {
    TComponent Application{nullptr};
    TSinkForm* Other = new TSinkForm(&Application);
    std::string Binary;
    TReferenceFixture() {
        Other->SetName("Form2");
        auto* remote = new TKitchenSink(Other);
        remote->SetName("Remote");
        TSinkForm source(nullptr);
        source.SetName("Form1");
        auto* sink1 = new TKitchenSink(&source);
        sink1->SetName("Sink1");
        auto* sink2 = new TKitchenSink(&source);
        sink2->SetName("Sink2");
        sink1->SetBuddy(sink2);
        sink2->SetBuddy(remote);
        static_cast<TSinkItem*>(sink1->Items()->Add())->Link = sink2;
        Binary = WriteRoot(&source);
    }
};

TEST(ReaderWriter, ReferencesResolveByNameWhenAsked) {
    TReferenceFixture f;
    EXPECT_NE(BinaryToText(f.Binary).find("Buddy = Form2.Remote"), std::string::npos);

    auto* root = new TSinkForm(&f.Application);
    ReadRoot(f.Binary, root);
    EXPECT_EQ(root->Sink1->Buddy(), root->FindComponent("Sink2"));
    EXPECT_EQ(root->Sink1->BuddyAtLoaded, root->Sink1->Buddy()); // resolved before Loaded
    EXPECT_EQ(static_cast<TSinkItem*>(root->Sink1->Items()->Items(0))->Link, root->FindComponent("Sink2"));
    EXPECT_EQ(static_cast<TKitchenSink*>(root->FindComponent("Sink2"))->Buddy(),
              f.Other->FindComponent("Remote"));
    delete root;

    // A designer's bracket without FixupReferences drops them, but still ends the loading state.
    auto* pasted = new TSinkForm(&f.Application);
    TStringStream stream(f.Binary);
    {
        TReader reader(stream);
        reader.SetRoot(pasted);
        reader.BeginReferences();
        reader.ReadSignature();
        reader.ReadComponent(pasted);
        EXPECT_TRUE(pasted->Sink1->ComponentState().Contains(csLoading));
        EXPECT_EQ(pasted->Sink1->LoadedCalls, 0);
        reader.EndReferences();
    }
    EXPECT_EQ(pasted->Sink1->Buddy(), nullptr);
    EXPECT_EQ(static_cast<TSinkItem*>(pasted->Sink1->Items()->Items(0))->Link, nullptr);
    EXPECT_EQ(pasted->Sink1->LoadedCalls, 1);
    EXPECT_FALSE(pasted->Sink1->ComponentState().Contains(csLoading));
}

TEST(ReaderWriter, ReadingThatDropsReferencesClosesItsBracketAlsoOnFailure) {
    TReferenceFixture f;
    TSinkForm copy(nullptr);
    {
        TStringStream stream(f.Binary);
        TReader reader(stream);
        reader.SetRoot(&copy);
        reader.ReadComponentDroppingReferences(&copy);
    }
    EXPECT_EQ(copy.Sink1->Buddy(), nullptr);
    EXPECT_EQ(copy.Sink1->LoadedCalls, 1);

    // Cut short in the middle of Sink2's record: what was read is out of loading state all the same.
    TSinkForm partial(nullptr);
    TStringStream cut(f.Binary.substr(0, f.Binary.size() - 12));
    TReader reader(cut);
    reader.SetRoot(&partial);
    EXPECT_THROW(reader.ReadComponentDroppingReferences(&partial), EReadError);
    ASSERT_NE(partial.Sink1, nullptr);
    EXPECT_FALSE(partial.Sink1->ComponentState().Contains(csLoading));
    EXPECT_EQ(partial.Sink1->LoadedCalls, 1);
}

TEST(ReaderWriter, ReferencesToComponentsFreedBeforeFixupAreDropped) {
    TReferenceFixture f;
    TSinkForm root(nullptr);
    TStringStream stream(f.Binary);
    TReader reader(stream);
    reader.SetRoot(&root);
    reader.BeginReferences();
    reader.ReadSignature();
    reader.ReadComponent(&root);
    delete root.Sink1; // its pending reference and Loaded go with it
    reader.FixupReferences();
    reader.EndReferences();
    EXPECT_EQ(root.ComponentCount(), 1);
    EXPECT_EQ(static_cast<TKitchenSink*>(root.Components(0))->LoadedCalls, 1);
}

TEST(ReaderWriter, RecordsReadOneAfterAnother) {
    TSinkFixture f;
    std::string twice = WriteRoot(f.Sink1) + WriteRoot(f.Sink2);
    TSinkForm target(nullptr);
    TStringStream stream(twice);
    for (const char* name : {"Sink1", "Sink2"}) {
        TReader reader(stream, 1024); // reads ahead past the first record
        reader.SetRoot(&target);
        reader.ReadSignature();
        EXPECT_EQ(reader.ReadComponent(nullptr)->Name(), name);
    }
    EXPECT_EQ(stream.Position(), stream.Size());
    EXPECT_EQ(target.ComponentCount(), 2);
}

TEST(ReaderWriter, PrefixFlagsAndARootThatIsItsOwnParent) {
    TSinkForm form(nullptr);
    auto* existing = new TSinkPanel(&form);
    existing->SetName("Panel1");
    std::string binary = TextToBinary("object Form1: TSinkForm\n"
                                      "  inherited Panel1: TSinkPanel\n"
                                      "    Width = 5\n"
                                      "  end\n"
                                      "  object Panel2: TSinkPanel [1]\n"
                                      "  end\n"
                                      "end\n");
    ReadRoot(binary, &form);
    EXPECT_EQ(form.ComponentCount(), 2);
    EXPECT_EQ(existing->Width, 5); // read into the component the owner has
    EXPECT_NE(form.FindComponent("Panel2"), nullptr);
    TSinkForm empty(nullptr);
    EXPECT_EQ(MessageOf<EReadError>([&] { ReadRoot(binary, &empty); }), "Ancestor for 'Panel1' not found");

    // The designer reads a container root with the root as the reader's parent: the root keeps its own.
    auto* outer = new TSinkPanel(&form);
    outer->SetParentComponent(&form);
    TStringStream stream(TextToBinary("object Panel9: TSinkPanel\n  Width = 3\nend\n"));
    TReader reader(stream);
    reader.SetParent(outer);
    reader.ReadRootComponent(outer);
    EXPECT_EQ(outer->GetParentComponent(), &form);
    EXPECT_EQ(outer->Width, 3);
}

TEST(ReaderWriter, ReadingACollectionReplacesItsItems) {
    TSinkFixture f;
    static_cast<TSinkItem*>(f.Sink1->Items()->Add())->Caption = "new";
    std::string binary = WriteRoot(f.Sink1);
    TKitchenSink target(nullptr);
    target.Items()->Add();
    target.Items()->Add();
    ReadRoot(binary, &target);
    ASSERT_EQ(target.Items()->Count(), 1);
    EXPECT_EQ(target.Item(0)->Caption, "new");
}

TEST(ReaderWriter, DamagedStreamsFailCleanly) {
    TReferenceFixture f;
    const std::string& good = f.Binary;
    // Every truncation is a read error, never a crash or a half-built root.
    for (size_t length = 0; length < good.size(); ++length) {
        SCOPED_TRACE(length);
        EXPECT_THROW(ReadRoot(good.substr(0, length), nullptr), EReadError);
    }
    // Any single damaged byte: a framework exception or a successful read, nothing else.
    for (size_t i = 4; i < good.size(); ++i)
        for (int bits : {0x01, 0x80, 0xFF}) {
            std::string bad = good;
            bad[i] = static_cast<char>(bad[i] ^ bits);
            try {
                delete ReadRoot(bad, nullptr);
            } catch (const Exception&) {
            }
        }

    const struct {
        std::string Bytes;
        const char* Message;
    } cases[] = {
        {"TPF", "Invalid stream format"},
        {"XPF0", "Invalid stream format"},
        {"TPF0\x09TSinkForm\x00\x03Tag\x15"s, "Error reading TSinkForm.Tag: Invalid property value"},
        {"TPF0\x09TSinkForm\x00\x07"
         "Caption\x0c\xff\xff\xff\x7f"s,
         "Error reading TSinkForm.Caption: Stream read error"},
        {"TPF0\x09TSinkForm\x00\x07"
         "Caption\x0c\x00\x00\x00\x80"s,
         "Error reading TSinkForm.Caption: Invalid property value"},
    };
    for (const auto& c : cases) {
        TSinkForm root(nullptr);
        EXPECT_EQ(MessageOf<EReadError>([&] { ReadRoot(c.Bytes, &root); }), c.Message);
    }
}

TEST(ReaderWriter, NestingIsLimitedBothWays) {
    auto nested = [](int depth) {
        std::string record = "\x0aTSinkPanel\x00\x00"s;
        std::string bytes = "TPF0";
        for (int i = 0; i < depth; ++i)
            bytes += record;
        return bytes + std::string(static_cast<size_t>(depth), '\0');
    };
    TSinkForm root(nullptr);
    EXPECT_NO_THROW(ReadRoot(nested(MaxFormNesting), &root));
    TSinkForm deeper(nullptr);
    EXPECT_EQ(MessageOf<EReadError>([&] { ReadRoot(nested(MaxFormNesting + 1), &deeper); }),
              "Nesting deeper than 256 levels");
}

// A stream that refuses every write.
class TFullStream : public TStream {
public:
    int64_t Read(void*, int64_t) override { return 0; }
    int64_t Write(const void*, int64_t) override { return 0; }
    int64_t Seek(int64_t, TSeekOrigin) override { return 0; }
};

TEST(ReaderWriter, AFailedFinalFlushIsReported) {
    TFullStream full;
    TSinkForm form(nullptr);
    auto writeAll = [&] {
        TWriter writer(full, 1024);
        writer.WriteRootComponent(&form); // fits the buffer: only the destructor writes
    };
    EXPECT_THROW(writeAll(), EWriteError);
}

} // namespace
