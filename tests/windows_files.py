"""Reading Windows file formats from the test side: the version resource of
a program and the target of a shell link (.lnk)."""

import struct

VERSION_KEY = "VS_VERSION_INFO".encode("utf-16-le")
FIXED_SIGNATURE = 0xFEEF04BD


def _align4(offset):
    return (offset + 3) & ~3


def _node(data, start):
    """(key, value bytes, children offsets, end) of one version-resource
    node: WORD length, WORD value length, WORD type, key, value, children."""
    length, value_length, kind = struct.unpack_from("<HHH", data, start)
    key_end = start + 6
    while data[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = data[start + 6:key_end].decode("utf-16-le")
    value_start = _align4(key_end + 2)
    value_size = value_length * 2 if kind == 1 else value_length
    value = data[value_start:value_start + value_size]
    end = start + length
    children = []
    child = _align4(value_start + value_size)
    while child < end and struct.unpack_from("<H", data, child)[0]:
        children.append(child)
        child = _align4(child + struct.unpack_from("<H", data, child)[0])
    return key, value, children, end


def version_info(data):
    """{"product": (a, b, c, d), "file": (...), "strings": {block: {name: text}}}
    from the bytes of a program or library; None without a version resource."""
    key_at = data.find(VERSION_KEY)
    if key_at < 6:
        return None
    key, value, children, _ = _node(data, key_at - 6)
    signature, _, file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<6I", value)
    if signature != FIXED_SIGNATURE:
        return None
    split = lambda ms, ls: (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)
    info = {"file": split(file_ms, file_ls), "product": split(product_ms, product_ls), "strings": {}}
    for child in children:
        name, _, blocks, _ = _node(data, child)
        if name != "StringFileInfo":
            continue
        for block in blocks:
            block_name, _, entries, _ = _node(data, block)
            strings = info["strings"].setdefault(block_name, {})
            for entry in entries:
                entry_name, text, _, _ = _node(data, entry)
                strings[entry_name] = text.decode("utf-16-le").rstrip("\0")
    return info


def link_target(data):
    """The local path a shell link points at (its LinkInfo's base path)."""
    flags = struct.unpack_from("<I", data, 0x14)[0]
    offset = 0x4C
    if flags & 0x1:  # HasLinkTargetIDList
        offset += 2 + struct.unpack_from("<H", data, offset)[0]
    if not flags & 0x2:  # HasLinkInfo
        return None
    base_path_offset = struct.unpack_from("<I", data, offset + 16)[0]
    start = offset + base_path_offset
    return data[start:data.index(b"\0", start)].decode("latin-1")
