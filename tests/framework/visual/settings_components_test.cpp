// The registry-backed settings file in a temporary configuration folder, the sample components' events
// and every new component class streamed through the form writer and reader.
#include "components/MediaPlayer.h"
#include "components/Query.h"
#include "components/StandardComponents.h"
#include "components/Table.h"
#include "core/ClassRegistry.h"
#include "core/Streams.h"
#include "core/StringList.h"
#include "dialogs/Dialogs.h"
#include "graphics/Bitmap.h"
#include "rtti/Properties.h"
#include "settings/RegIniFile.h"
#include "streaming/ObjectText.h"
#include "streaming/Reader.h"
#include "streaming/Writer.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/InputSimulator.h"
#include "widgets/ImageList.h"
#include "widgets/Menus.h"
#include "widgets/PageControl.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// ---- settings ---------------------------------------------------------------------------------------------

struct Settings : ::testing::Test {
    void SetUp() override {
        const char* old = getenv("XDG_CONFIG_HOME");
        saved = old ? old : "";
        hadValue = old != nullptr;
        folder = fs::temp_directory_path() / ("fw_settings_" + std::to_string(getpid()));
        fs::remove_all(folder);
        setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    }
    void TearDown() override {
        if (hadValue)
            setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
        else
            unsetenv("XDG_CONFIG_HOME");
        fs::remove_all(folder);
    }
    fs::path folder;
    std::string saved;
    bool hadValue = false;
};

TEST_F(Settings, KeyCreatedAndValuesReadBackFromANewInstance) {
    const char* key = "\\Software\\Corvane\\Varnix\\3.0";
    {
        TRegIniFile settings(key);
        EXPECT_EQ(settings.FileName(), (folder / "formwright/Software/Corvane/Varnix/3.0.ini").string());
        EXPECT_TRUE(fs::exists(settings.FileName())) << "the key is created when missing";
        settings.WriteString("Custom Colors", "ColorB", "00FF00");
        settings.WriteString("Custom Colors", "ColorA", "FFFFFF");
        settings.WriteString("Other", "a/b\\c%d", "x=y; z");
        settings.WriteInteger("Other", "Count", 42);
    }
    TRegIniFile settings(key);
    TStringList lines;
    lines.Add("stale");
    settings.ReadSectionValues("Custom Colors", lines);
    EXPECT_EQ(lines.Text(), "ColorA=FFFFFF\r\nColorB=00FF00\r\n");
    EXPECT_EQ(settings.ReadString("Other", "a/b\\c%d"), "x=y; z") << "names with separators survive";
    EXPECT_EQ(settings.ReadInteger("Other", "Count", 0), 42);
    EXPECT_EQ(settings.ReadString("Other", "Missing", "dflt"), "dflt");
    TStringList sections;
    settings.ReadSections(sections);
    EXPECT_EQ(sections.Text(), "Custom Colors\r\nOther\r\n");

    settings.DeleteKey("Custom Colors", "ColorA");
    EXPECT_FALSE(settings.ValueExists("Custom Colors", "ColorA"));
    settings.EraseSection("Other");
    EXPECT_FALSE(settings.SectionExists("Other"));
    TRegIniFile again(key);
    again.ReadSectionValues("Custom Colors", lines);
    EXPECT_EQ(lines.Text(), "ColorB=00FF00\r\n");
}

TEST_F(Settings, KeyPathsThatLeaveTheFolderAreRefused) {
    for (const char* bad : {"", "\\", "..\\outside", "Software/../../etc", "a/./b"})
        EXPECT_THROW(TRegIniFile{bad}, ERegistryException) << bad;
    EXPECT_FALSE(fs::exists(folder.parent_path() / "outside.ini"));
}

TEST_F(Settings, AnUnwritableFolderFailsToCreateTheKey) {
    fs::create_directories(folder / "formwright");
    std::ofstream(folder / "formwright" / "Blocked") << "a file where the key's folder should be";
    EXPECT_THROW(TRegIniFile("Blocked\\Key"), ERegistryException);
}

// ---- data sets --------------------------------------------------------------------------------------------

// ---------------------------------------------------------------------------------------------

struct EventLog {
    std::vector<std::string> log;
    TDataAction answer = daFail;
    int filterSkips = 0;
    void Note(TDataSet* d, const char* what) { log.push_back(what); }
#define FW_LOG(Name)                                                                                         \
    void Name(TDataSet* d) {                                                                                 \
        log.push_back(#Name);                                                                                \
    }
    FW_LOG(AfterCancel)
    FW_LOG(AfterClose)
    FW_LOG(AfterDelete)
    FW_LOG(AfterEdit)
    FW_LOG(AfterInsert)
    FW_LOG(AfterOpen)
    FW_LOG(AfterPost)
    FW_LOG(AfterScroll)
    FW_LOG(BeforeCancel)
    FW_LOG(BeforeClose)
    FW_LOG(BeforeDelete)
    FW_LOG(BeforeEdit)
    FW_LOG(BeforeInsert)
    FW_LOG(BeforeOpen)
    FW_LOG(BeforePost)
    FW_LOG(BeforeScroll)
    FW_LOG(OnNewRecord)
#undef FW_LOG
    void Error(TDataSet*, EDatabaseError* e, TDataAction& action) {
        log.push_back(std::string("error: ") + e->what());
        action = answer;
    }
    void Filter(TDataSet* d, bool& accept) {
        accept = d->RecNo() % 2 == 1;
    }
};

void Bind(TDataSet& d, EventLog& e) {
#define FW_BIND(Name) d.Name = TDataSetNotifyEvent::Bind<&EventLog::Name>(&e);
    FW_BIND(AfterCancel)
    FW_BIND(AfterClose)
    FW_BIND(AfterDelete)
    FW_BIND(AfterEdit)
    FW_BIND(AfterInsert)
    FW_BIND(AfterOpen)
    FW_BIND(AfterPost)
    FW_BIND(AfterScroll)
    FW_BIND(BeforeCancel)
    FW_BIND(BeforeClose)
    FW_BIND(BeforeDelete)
    FW_BIND(BeforeEdit)
    FW_BIND(BeforeInsert)
    FW_BIND(BeforeOpen)
    FW_BIND(BeforePost)
    FW_BIND(BeforeScroll)
    FW_BIND(OnNewRecord)
#undef FW_BIND
    d.OnEditError = TDataSetErrorEvent::Bind<&EventLog::Error>(&e);
    d.OnDeleteError = TDataSetErrorEvent::Bind<&EventLog::Error>(&e);
    d.OnPostError = TDataSetErrorEvent::Bind<&EventLog::Error>(&e);
}

using Strings = std::vector<std::string>;

TEST(DataSets, EventsRunInADataSetsOrder) {
    TTable table(nullptr);
    EventLog e;
    Bind(table, e);
    EXPECT_THROW(table.Open(), EDatabaseError) << "no table name";
    EXPECT_TRUE(e.log.empty());
    table.SetTableName("customer.db");
    table.Open();
    EXPECT_EQ(e.log, (Strings{"BeforeOpen", "AfterOpen"})) << "an empty table scrolls nowhere";
    EXPECT_THROW(table.SetTableName("other.db"), EDatabaseError);
    e.log.clear();
    table.Append();
    table.Post();
    EXPECT_EQ(e.log, (Strings{"BeforeInsert", "OnNewRecord", "AfterInsert", "BeforePost", "AfterPost"}));
    EXPECT_EQ(table.RecordCount(), 1);
    e.log.clear();
    table.Edit();
    table.Cancel();
    EXPECT_EQ(e.log, (Strings{"BeforeEdit", "AfterEdit", "BeforeCancel", "AfterCancel"}));
    table.Append();
    table.Post();
    e.log.clear();
    table.First();
    EXPECT_EQ(e.log, (Strings{"BeforeScroll", "AfterScroll"}));
    EXPECT_EQ(table.RecNo(), 1);
    e.log.clear();
    table.Delete();
    EXPECT_EQ(e.log, (Strings{"BeforeDelete", "AfterDelete", "AfterScroll"}));
    EXPECT_EQ(table.RecordCount(), 1);
    e.log.clear();
    table.Close();
    EXPECT_EQ(e.log, (Strings{"BeforeClose", "AfterClose"}));
    EXPECT_THROW(table.Edit(), EDatabaseError);
}

TEST(DataSets, ErrorEventsDecideBetweenFailAbortAndBoundedRetry) {
    TTable table(nullptr);
    table.SetTableName("t");
    table.SetReadOnly(true);
    table.Open();
    EventLog e;
    Bind(table, e);
    const std::string readOnly = "error: Cannot modify a read-only dataset";
    EXPECT_THROW(table.Delete(), EDatabaseError);
    e.answer = daAbort;
    EXPECT_THROW(table.Delete(), EAbort);
    e.log.clear();
    e.answer = daRetry;
    EXPECT_THROW(table.Delete(), EDatabaseError) << "retrying an error that stays ends";
    EXPECT_EQ(e.log.size(), 9u);
    EXPECT_EQ(e.log.front(), readOnly);
    EXPECT_THROW(table.Post(), EDatabaseError) << "not in edit mode";
}

TEST(DataSets, FilteredMovesSkipRecordsTheFilterRefuses) {
    TTable table(nullptr);
    table.SetTableName("t");
    table.Open();
    for (int i = 0; i < 5; ++i) {
        table.Append();
        table.Post();
    }
    EventLog e;
    table.OnFilterRecord = TFilterRecordEvent::Bind<&EventLog::Filter>(&e);
    table.SetFiltered(true);
    table.First();
    std::vector<int> seen;
    while (!table.Eof()) {
        seen.push_back(table.RecNo());
        table.Next();
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 3, 5}));
}

TEST(DataSets, QueryNeedsAStatementAndChangingItCloses) {
    TQuery query(nullptr);
    EXPECT_THROW(query.Open(), EDatabaseError);
    query.SQL()->Add("select * from customer");
    query.Open();
    EXPECT_TRUE(query.Active());
    EXPECT_THROW(query.Insert(), EDatabaseError) << "a result that is not live is read-only";
    query.SQL()->Add("where id = 1");
    EXPECT_FALSE(query.Active());
}

TEST(DataSets, AfterCancelIsTheFirstEventByName) {
    for (TClass cls : {TTable::StaticClass(), TQuery::StaticClass()}) {
        const TPropList events = GetPropList(cls, tkMethods);
        ASSERT_EQ(events.size(), 22u);
        EXPECT_EQ(events.front()->Name, "AfterCancel");
        EXPECT_EQ(events.back()->Name, "OnPostError");
        EXPECT_EQ(events.front()->PropType->Name, "TDataSetNotifyEvent");
    }
    EXPECT_EQ(GetPropInfo(TTable::StaticClass(), "OnEditError")->PropType->Name, "TDataSetErrorEvent");
    EXPECT_EQ(GetPropInfo(TTable::StaticClass(), "OnFilterRecord")->PropType->Name, "TFilterRecordEvent");
}

TEST(MediaPlayer, ButtonsFollowTheDeviceMode) {
    TForm form(nullptr);
    auto* player = new TMediaPlayer(&form);
    player->SetParent(&form);
    form.Show();
    Application->ProcessMessages();
    EXPECT_TRUE(player->ActiveButtons().Empty()) << "closed: every button greyed";
    player->SetFileName("/nonexistent/file.wav");
    EXPECT_THROW(player->Open(), EMCIDeviceError);
    player->SetFileName("");
    player->Open();
    const TRect play = player->ButtonRect(btPlay);
    EXPECT_EQ(play.Width(), 253 / 9);
    TInputSimulator::Click(player, {play.Left + 5, play.Top + 5});
    EXPECT_EQ(player->Mode(), mpPlaying);
    TInputSimulator::Click(player, {play.Left + 5, play.Top + 5});
    EXPECT_EQ(player->Mode(), mpPlaying) << "Play is greyed while playing";
    const TRect stop = player->ButtonRect(btStop);
    TInputSimulator::Click(player, {stop.Left + 5, stop.Top + 5});
    EXPECT_EQ(player->Mode(), mpStopped);
}

// ---- streaming --------------------------------------------------------------------------------------------

TEST(StandardComponents, StreamThroughTheFormWriterAndReader) {
    RegisterStreamableClasses();
    TForm form(nullptr);
    form.SetName("Form1");
    auto* table = new TTable(&form);
    table->SetName("Table1");
    table->SetDatabaseName("DBDEMOS");
    table->SetTableName("customer.db");
    auto* query = new TQuery(&form);
    query->SetName("Query1");
    query->SQL()->SetText("select *\nfrom orders\n");
    auto* player = new TMediaPlayer(&form);
    player->SetName("MediaPlayer1");
    player->SetParent(&form);
    player->SetFileName("tada.wav");
    player->SetVisibleButtons({btPlay, btStop});
    auto* pages = new TPageControl(&form);
    pages->SetName("PropBook");
    pages->SetParent(&form);
    pages->SetTabWidth(68);
    for (const char* name : {"PropSheet", "MethodSheet"}) {
        auto* sheet = new TTabSheet(&form);
        sheet->SetName(name);
        sheet->SetCaption(name == std::string("PropSheet") ? "Properties" : "Events");
        sheet->SetPageControl(pages);
    }
    pages->SetActivePage(pages->Pages(1));
    auto* menu = new TPopupMenu(&form);
    menu->SetName("PopupMenu1");
    auto* item = new TMenuItem(&form);
    item->SetName("AlignItem");
    item->SetCaption("&Align...");
    item->SetEnabled(false);
    menu->Items()->Add(item);
    auto* sub = new TMenuItem(&form);
    sub->SetName("SubItem");
    sub->SetCaption("Sub");
    item->Add(sub);
    auto* images = new TImageList(&form);
    images->SetName("PropImages");
    images->SetWidth(9);
    images->SetHeight(9);
    TBitmap glyph;
    glyph.SetSize(9, 9);
    images->Add(&glyph);
    auto* colors = new TColorDialog(&form);
    colors->SetName("ColorDialog1");
    colors->SetColor(clRed);
    colors->CustomColors()->Add("ColorA=FFFFFF");
    auto* open = new TOpenPictureDialog(&form);
    open->SetName("OpenDialog");
    open->SetOptions({ofShowHelp, ofFileMustExist});

    TStringStream binary;
    {
        TWriter writer(binary);
        writer.WriteRootComponent(&form);
    }
    TStringStream input(binary.DataString()), text;
    ObjectBinaryToText(input, text);
    const std::string formText = text.DataString();
    for (const char* line :
         {"object Table1: TTable", "DatabaseName = 'DBDEMOS'", "TableName = 'customer.db'",
          "object PropBook: TPageControl", "ActivePage = MethodSheet", "object PropSheet: TTabSheet",
          "Caption = 'Properties'", "object AlignItem: TMenuItem", "object SubItem: TMenuItem",
          "VisibleButtons = [btPlay, btStop]", "Options = [ofShowHelp, ofFileMustExist]", "Color = clRed"})
        EXPECT_NE(formText.find(line), std::string::npos) << line << "\n" << formText;
    EXPECT_LT(formText.find("object PropSheet"), formText.find("object MethodSheet"))
        << "pages in page order";

    TForm copy(nullptr);
    TStringStream again(binary.DataString());
    TReader reader(again);
    reader.ReadRootComponent(&copy);
    auto* table2 = dynamic_cast<TTable*>(copy.FindComponent("Table1"));
    ASSERT_NE(table2, nullptr);
    EXPECT_EQ(table2->TableName(), "customer.db");
    EXPECT_EQ(table2->DatabaseName(), "DBDEMOS");
    EXPECT_EQ(dynamic_cast<TQuery*>(copy.FindComponent("Query1"))->SQL()->Text(),
              "select *\r\nfrom orders\r\n");
    auto* pages2 = dynamic_cast<TPageControl*>(copy.FindComponent("PropBook"));
    ASSERT_NE(pages2, nullptr);
    ASSERT_EQ(pages2->PageCount(), 2);
    EXPECT_EQ(pages2->Pages(0)->Caption(), "Properties");
    EXPECT_EQ(pages2->ActivePage(), pages2->Pages(1));
    EXPECT_EQ(pages2->TabWidth(), 68);
    auto* menu2 = dynamic_cast<TPopupMenu*>(copy.FindComponent("PopupMenu1"));
    ASSERT_NE(menu2, nullptr);
    ASSERT_EQ(menu2->Items()->Count(), 1);
    EXPECT_FALSE(menu2->Items()->Items(0)->Enabled());
    ASSERT_EQ(menu2->Items()->Items(0)->Count(), 1);
    EXPECT_EQ(menu2->Items()->Items(0)->Items(0)->Name(), "SubItem");
    EXPECT_EQ(dynamic_cast<TImageList*>(copy.FindComponent("PropImages"))->Count(), 1);
    EXPECT_EQ(dynamic_cast<TMediaPlayer*>(copy.FindComponent("MediaPlayer1"))->FileName(), "tada.wav");
    auto* colors2 = dynamic_cast<TColorDialog*>(copy.FindComponent("ColorDialog1"));
    EXPECT_EQ(colors2->Color(), clRed);
    EXPECT_EQ(colors2->CustomColors()->Text(), "ColorA=FFFFFF\r\n");
    EXPECT_EQ(dynamic_cast<TOpenPictureDialog*>(copy.FindComponent("OpenDialog"))->Options(),
              (TOpenOptions{ofShowHelp, ofFileMustExist}));
}

TEST(StandardComponents, AnActiveTableOpensOnceLoaded) {
    RegisterStreamableClasses();
    TStringStream text("object Form1: TForm\r\n  object Table1: TTable\r\n    Active = True\r\n"
                       "    TableName = 'customer.db'\r\n  end\r\nend\r\n");
    TStringStream binary;
    ObjectTextToBinary(text, binary);
    binary.SetPosition(0);
    TForm form(nullptr);
    TReader reader(binary);
    reader.ReadRootComponent(&form);
    auto* table = dynamic_cast<TTable*>(form.FindComponent("Table1"));
    ASSERT_NE(table, nullptr);
    EXPECT_TRUE(table->Active()) << "the table name was read after Active, and opening waited for it";
}

} // namespace
