#pragma once

#include <mpv/client.h>

#include <cstdint>
#include <optional>

// Owns a node that mpv filled in (a command result or a property value) and frees its contents
// once it goes out of scope.
class MpvNode
{
public:
    MpvNode() = default;
    ~MpvNode() { mpv_free_node_contents(&m_node); }
    MpvNode(const MpvNode&) = delete;
    MpvNode& operator=(const MpvNode&) = delete;

    // For mpv to write into; whatever the node held before is freed first.
    mpv_node* receive()
    {
        mpv_free_node_contents(&m_node);
        m_node = {};
        return &m_node;
    }
    const mpv_node& node() const { return m_node; }

    // The member of a map node with that key, or nullptr.
    static const mpv_node* memberOf(const mpv_node& map, const char* key);
    const mpv_node* member(const char* key) const { return memberOf(m_node, key); }
    std::optional<std::int64_t> int64Member(const char* key) const;
    // The id of the first track of this type ("video", "audio") in a track list.
    static std::optional<std::int64_t> firstTrackId(const mpv_node& tracks, const char* type);

private:
    mpv_node m_node{};
};
