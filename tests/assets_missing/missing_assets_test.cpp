#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "audio/audio.h"
#include "game/game.h"
#include "interface/interface.h"
#include "logic/logic.h"
#include "support/data_folder.h"
#include "support/window_fixture.h"
#include "visuals/visuals.h"

namespace {

// Each asset file of the game taken away in turn: its loader must stop with
// one clear "ERROR: ..." line and report the failure, never crash.
class MissingAsset : public WindowTest
{
protected:
    std::vector<std::string> AssetsIn(const std::string& folder)
    {
        std::vector<std::string> names;
        for (const std::string& file : FilesIn(ProjectRoot() + "/data/" + folder)) names.push_back(folder + "/" + file);
        EXPECT_FALSE(names.empty()) << "no files in data/" << folder << ": nothing would be taken away";
        return names;
    }

    // The log written since the mark.
    std::string LogSince(size_t mark) { return output->Text().substr(mark); }
};

TEST_F(MissingAsset, EachPictureStopsItsLoaderWithOneError)
{
    ASSERT_TRUE(visuals->LoadFontsIntoMemory());
    for (const std::string& picture : AssetsIn("graphics"))
    {
        if (picture == "graphics/Icon.bmp") continue;  // the icon is optional
        ASSERT_TRUE(LinkDataWithout(directory->path, {picture}));
        const size_t mark = output->Text().size();
        EXPECT_FALSE(visuals->LoadSpritesIntoMemoryAndInitialize()) << picture;
        EXPECT_EQ(1, CountOccurrences(LogSince(mark), "ERROR: SDL could not load image ")) << picture;
        visuals->UnloadSpritesFromMemory();
    }
    for (const std::string& picture : AssetsIn("interface"))
    {
        if (picture.find(".png") == std::string::npos) continue;
        ASSERT_TRUE(LinkDataWithout(directory->path, {picture}));
        const size_t mark = output->Text().size();
        EXPECT_FALSE(visuals->CreateAllGUIAndInitialize(true)) << picture;
        EXPECT_EQ(1, CountOccurrences(LogSince(mark), "ERROR: SDL could not load image ")) << picture;
        visuals->UnloadGUIFromMemory();
        // A replay with no window, which reads the pictures' sizes alone.
        const size_t replayMark = output->Text().size();
        EXPECT_FALSE(interface->InitializeRecordsFromPictureSizes()) << picture;
        EXPECT_EQ(1, CountOccurrences(LogSince(replayMark), "ERROR: Picture ")) << picture;
    }
}

TEST_F(MissingAsset, EachFontStopsItsLoaderWithOneError)
{
    for (const std::string& font : {std::string("fonts/Default.ttf"), std::string("fonts/Destructo.ttf")})
    {
        ASSERT_TRUE(LinkDataWithout(directory->path, {font}));
        const size_t mark = output->Text().size();
        EXPECT_FALSE(visuals->LoadFontsIntoMemory()) << font;
        EXPECT_EQ(1, CountOccurrences(LogSince(mark), "ERROR: Loading font: ")) << font;
        visuals->UnloadFontsFromMemory();
    }
    ASSERT_TRUE(LinkDataWithout(directory->path, {"interface/Default.ttf"}));
    const size_t mark = output->Text().size();
    EXPECT_FALSE(visuals->CreateAllGUIAndInitialize(true));
    EXPECT_EQ(1, CountOccurrences(LogSince(mark), "ERROR: Loading font: "));
}

TEST_F(MissingAsset, EachSoundSilencesTheGameAndEachTuneOnlyItself)
{
    for (const std::string& file : AssetsIn("sound"))
    {
        ASSERT_TRUE(LinkDataWithout(directory->path, {file}));
        Audio sounds;
        const size_t mark = output->Text().size();
        EXPECT_FALSE(sounds.SetupAudio()) << file;
        EXPECT_EQ(0, sounds.AudioWorking) << file;
        EXPECT_EQ(1, CountOccurrences(LogSince(mark), "ERROR: Couldn't load sound ")) << file;
    }
    for (const std::string& file : AssetsIn("music"))
    {
        ASSERT_TRUE(LinkDataWithout(directory->path, {file}));
        Audio sounds;
        const size_t mark = output->Text().size();
        EXPECT_TRUE(sounds.SetupAudio()) << file;
        EXPECT_EQ(1, CountOccurrences(LogSince(mark), "ERROR: Couldn't load music ")) << file;
    }
}

TEST_F(MissingAsset, EachBoardImageEndsTheGameWithOneError)
{
    for (const std::string& file : AssetsIn("boards"))
    {
        ASSERT_TRUE(LinkDataWithout(directory->path, {file}));
        const bool original = file.find("Original") != std::string::npos;
        const char digit = original ? '5' : file[std::string("boards/Level").size()];
        Logic rules;
        rules.Level = digit - '0';
        game->FatalError = 0;
        const size_t mark = output->Text().size();
        rules.LoadTilePlayfield();
        EXPECT_EQ(1, game->FatalError) << file;
        EXPECT_EQ(1, CountOccurrences(LogSince(mark), "ERROR: ")) << file;
        EXPECT_EQ(0, rules.PelletsLeftOnBoard) << file;
    }
    game->FatalError = 0;
}

}  // namespace
