#include "player/MpvNode.h"

#include <cstring>

const mpv_node* MpvNode::memberOf(const mpv_node& map, const char* key)
{
    if (map.format != MPV_FORMAT_NODE_MAP || map.u.list == nullptr)
        return nullptr;
    const mpv_node_list& members = *map.u.list;
    for (int i = 0; i < members.num; ++i) {
        if (std::strcmp(members.keys[i], key) == 0)
            return &members.values[i];
    }
    return nullptr;
}

std::optional<std::int64_t> MpvNode::int64Member(const char* key) const
{
    const mpv_node* value = member(key);
    if (value == nullptr || value->format != MPV_FORMAT_INT64)
        return std::nullopt;
    return value->u.int64;
}

std::optional<std::int64_t> MpvNode::firstTrackId(const mpv_node& tracks, const char* wantedType)
{
    if (tracks.format != MPV_FORMAT_NODE_ARRAY || tracks.u.list == nullptr)
        return std::nullopt;
    for (int i = 0; i < tracks.u.list->num; ++i) {
        const mpv_node& track = tracks.u.list->values[i];
        const mpv_node* type = memberOf(track, "type");
        const mpv_node* id = memberOf(track, "id");
        if (type != nullptr && type->format == MPV_FORMAT_STRING &&
            std::strcmp(type->u.string, wantedType) == 0 && id != nullptr && id->format == MPV_FORMAT_INT64)
            return id->u.int64;
    }
    return std::nullopt;
}
