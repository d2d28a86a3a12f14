#include "demos/demos.h"

#include <inttypes.h>
#include <stddef.h>
#include <string.h>
#include <type_traits>

#include "audio/audio.h"
#include "data/data.h"
#include "game/game.h"
#include "interface/interface.h"
#include "logic/logic.h"
#include "screens/screens.h"

// Each class and structure of the state is exactly the fields of its two
// lists, with no padding, on every build (the browser's is 32-bit): a field
// declared outside them stops the build here. FrameInput, a record of the
// demos, has two bytes of padding before its pointer's place, which is last:
// a field declared before its list or after it moves or grows it.
CHECK_FIELDS(Game, GAME_STATE, GAME_LEFT_OUT);
CHECK_FIELDS(Logic, LOGIC_STATE, LOGIC_LEFT_OUT);
CHECK_FIELDS(Screens, SCREENS_STATE, SCREENS_LEFT_OUT);
CHECK_FIELDS(Screens::SceneActor, SCENE_ACTOR_STATE, SCENE_ACTOR_LEFT_OUT);
CHECK_FIELDS(Interface, INTERFACE_STATE, INTERFACE_LEFT_OUT);
CHECK_FIELDS(InterfaceSprite, INTERFACE_SPRITE_STATE, INTERFACE_SPRITE_LEFT_OUT);
CHECK_FIELDS(Input, INPUT_STATE, INPUT_LEFT_OUT);
CHECK_FIELDS(Data, DATA_STATE, DATA_LEFT_OUT);
CHECK_FIELDS(Audio, AUDIO_STATE, AUDIO_LEFT_OUT);
const size_t FRAME_INPUT_FIELDS_SIZE = 0 FRAME_INPUT_STATE(SIZE_OF_FIELD);
static_assert(offsetof(FrameInput, Key) == 0 && sizeof(FrameInput) == FRAME_INPUT_FIELDS_SIZE + 2,
              "FrameInput is not exactly the fields of its lists");

// The state's schema: the names, sizes and kinds of every class's listed
// fields, in order. It is the demo format's: a demo of another schema would
// read as a desync, so a change of the fields raises the format's version
// (the schema it was recorded with is added below) and the committed demos
// are re-stamped.
constexpr uint64_t StateSchema()
{
    const uint64_t lists[] = {SCHEMA_OF(GAME_STATE),      SCHEMA_OF(LOGIC_STATE), SCHEMA_OF(SCREENS_STATE),
                              SCHEMA_OF(INTERFACE_STATE), SCHEMA_OF(INPUT_STATE), SCHEMA_OF(DATA_STATE),
                              SCHEMA_OF(AUDIO_STATE)};
    uint64_t schema = SCHEMA_START;
    for (const uint64_t list : lists) schema = AddToSchema(schema, list);
    return schema;
}

// Indexed by the demo format's version; before 3 the fields were not listed.
static constexpr uint64_t STATE_SCHEMA_OF_DEMO_FORMAT[] = {0, 0, 0, 0x37225b2bd2a3a71ull};
static_assert(sizeof(STATE_SCHEMA_OF_DEMO_FORMAT) / sizeof(uint64_t) == DEMO_FORMAT_VERSION + 1,
              "one schema a demo format");
static_assert(StateSchema() == STATE_SCHEMA_OF_DEMO_FORMAT[DEMO_FORMAT_VERSION],
              "The state's fields changed: raise DEMO_FORMAT_VERSION (src/demos/demos.h), add the new schema "
              "(StateSchema()) to STATE_SCHEMA_OF_DEMO_FORMAT, and re-stamp the committed demos (tools/restamp-demos)");

// Each listed field, by name: into the digest, or written out as text to
// compare a desync with.
struct StateReader
{
    Digest* Into;
    FILE* Text;
    bool Written;

    void Number(const char* name, int64_t value)
    {
        if (Into) Into->AddNumber(value);
        if (Text) Written = fprintf(Text, "%s %" PRId64 "\n", name, value) > 0 && Written;
    }

    void Number(const char* name, float value)
    {
        if (Into) Into->AddFloat(value);
        if (Text) Written = fprintf(Text, "%s %.9g\n", name, value) > 0 && Written;
    }

    // "prefix.name" for the text; the digest needs no names.
    const char* Join(char* path, size_t size, const char* prefix, const char* name) const
    {
        const bool named = Text && snprintf(path, size, "%s.%s", prefix, name) > 0;
        return named ? path : name;
    }

    template <typename T>
    void Field(const char* name, const T& value)
    {
        if constexpr (std::is_class<T>::value)
            ReadListed(*this, name, value);
        else if constexpr (std::is_floating_point<T>::value)
            Number(name, (float)value);
        else
            Number(name, (int64_t)value);
    }

    template <typename T, size_t COUNT>
    void Field(const char* name, const T (&values)[COUNT])
    {
        for (size_t index = 0; index < COUNT; index++)
        {
            char element[96];
            const bool named = Text && snprintf(element, sizeof(element), "%s[%zu]", name, index) > 0;
            Field(named ? element : name, values[index]);
        }
    }
};

// Every class and structure of the state is read by its list.
#define READ_FIELD(type, name, extent) reader.Field(reader.Join(path, sizeof(path), prefix, #name), value.name);
#define READ_LIST(TYPE, LIST)                                                         \
    static void ReadListed(StateReader& reader, const char* prefix, const TYPE& value) \
    {                                                                                 \
        char path[96];                                                                \
        LIST(READ_FIELD)                                                              \
    }

READ_LIST(FrameInput, FRAME_INPUT_STATE)
READ_LIST(Screens::SceneActor, SCENE_ACTOR_STATE)
READ_LIST(InterfaceSprite, INTERFACE_SPRITE_STATE)
READ_LIST(Game, GAME_STATE)
READ_LIST(Logic, LOGIC_STATE)
READ_LIST(Screens, SCREENS_STATE)
READ_LIST(Interface, INTERFACE_STATE)
READ_LIST(Input, INPUT_STATE)
READ_LIST(Data, DATA_STATE)
READ_LIST(Audio, AUDIO_STATE)

static void ReadGameState(StateReader& reader)
{
    ReadListed(reader, "game", *game);
    ReadListed(reader, "logic", *logic);
    ReadListed(reader, "screens", *screens);
    ReadListed(reader, "interface", *interface);
    ReadListed(reader, "input", *input);
    ReadListed(reader, "data", *data);
    ReadListed(reader, "audio", *audio);
}

uint64_t DigestOfGameState()
{
    Digest digest;
    StateReader reader = {&digest, nullptr, true};
    ReadGameState(reader);
    return digest.Value;
}

bool WriteGameState(FILE* file)
{
    StateReader reader = {nullptr, file, true};
    ReadGameState(reader);
    return reader.Written;
}
