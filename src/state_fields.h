#ifndef WOBBLER_STATE_FIELDS_H
#define WOBBLER_STATE_FIELDS_H

#include <stddef.h>
#include <stdint.h>
#include <type_traits>

// A class that holds the game's state declares its fields in two lists,
// FIELD(type, name, extent) each, the extent being an array's brackets or
// nothing: the fields that decide the game's course, from which its digest
// and its text dump are made (src/demos/state.cpp), and those left out of
// them (what only shows, times the frames or reads the devices). The class
// is exactly its two lists with no padding between, and the lists' names,
// types and order make the state's schema, which names the demo format.
#define DECLARE_FIELD(type, name, extent) type name extent{};
#define SIZE_OF_FIELD(type, name, extent) +sizeof(type extent)
#define SCHEMA_OF_FIELD(type, name, extent) \
    schema = AddFieldToSchema(schema, #name, sizeof(type extent), SchemaOfType<type>());

#define CHECK_FIELDS(type, STATE, LEFT_OUT)                                                   \
    static_assert(sizeof(type) == 0 STATE(SIZE_OF_FIELD) LEFT_OUT(SIZE_OF_FIELD),               \
                  #type " is not exactly the fields of its lists: list a new field in the "      \
                        "state or as left out, and order the lists so that no padding lies between")

// The schema of a list: its fields' names, sizes and kinds, in order. A
// structure kept in the state brings the schema of its own.
#define SCHEMA_OF(LIST)                 \
    [] {                                \
        uint64_t schema = SCHEMA_START; \
        LIST(SCHEMA_OF_FIELD)           \
        return schema;                  \
    }()
#define SCHEMA_OF_STRUCTURE(LIST) \
    static constexpr uint64_t Schema() { return SCHEMA_OF(LIST); }

// FNV-1a, at compile time.
const uint64_t SCHEMA_START = 0xcbf29ce484222325ull;
const uint64_t SCHEMA_PRIME = 0x100000001b3ull;

constexpr uint64_t AddToSchema(uint64_t schema, uint64_t value)
{
    return (schema ^ value) * SCHEMA_PRIME;
}

constexpr uint64_t AddFieldToSchema(uint64_t schema, const char* name, size_t size, uint64_t type)
{
    for (const char* letter = name; *letter; letter++) schema = AddToSchema(schema, (unsigned char)*letter);
    return AddToSchema(AddToSchema(schema, size), type);
}

// A number is its size and kind; a structure listed in its turn brings the
// schema of its own list.
template <typename T>
constexpr uint64_t SchemaOfType()
{
    if constexpr (std::is_class<T>::value)
        return T::Schema();
    else
        return sizeof(T) * 4 + (std::is_floating_point<T>::value ? 2 : 0) + (std::is_signed<T>::value ? 1 : 0);
}

#endif
