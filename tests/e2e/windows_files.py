"""Reading Windows file formats from the test side: the version resource of
a program, the imports and subsystem version of a program (its PE headers)
and the target of a shell link (.lnk)."""

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


class PortableExecutable:
    """The headers of a 32-bit program or library that say what it needs
    of the system: the subsystem version and what it imports."""

    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise ValueError("not a program: no MZ header")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("not a program: no PE signature")
        sections, optional_size = struct.unpack_from("<2xH12xH", data, pe + 4)
        self.optional = pe + 24
        if struct.unpack_from("<H", data, self.optional)[0] != 0x10B:
            raise ValueError("not a 32-bit program (PE32)")
        self.directories = struct.unpack_from("<I", data, self.optional + 92)[0]
        table = self.optional + optional_size
        self.sections = [struct.unpack_from("<8xIIII", data, table + 40 * i) for i in range(sections)]

    def subsystem_version(self):
        """(major, minor), which the loader compares with the system's."""
        return struct.unpack_from("<HH", self.data, self.optional + 48)

    def static_tls_size(self):
        """The bytes of static thread-local data each thread gets (the TLS
        directory's template and zero fill); 0 without a TLS directory."""
        rva, _ = self._directory(9)
        if not rva:
            return 0
        start, end, _, _, zero_fill = struct.unpack_from("<5I", self.data, self._offset(rva))
        return end - start + zero_fill

    def _directory(self, index):
        if index >= self.directories:
            return 0, 0
        return struct.unpack_from("<II", self.data, self.optional + 96 + 8 * index)

    def _offset(self, rva):
        for virtual_size, address, raw_size, raw_offset in self.sections:
            if address <= rva < address + max(virtual_size, raw_size):
                return raw_offset + rva - address
        raise ValueError("address %#x is in no section" % rva)

    def _text(self, rva):
        start = self._offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("ascii")

    def _names(self, thunks_rva):
        """The names a thunk array imports; an import by ordinal as "#N"."""
        names, at = [], self._offset(thunks_rva)
        while True:
            thunk = struct.unpack_from("<I", self.data, at)[0]
            if thunk == 0:
                return names
            names.append("#%d" % (thunk & 0xFFFF) if thunk & 0x80000000 else self._text(thunk + 2))
            at += 4

    def imports(self):
        """[(dll, function, delay-loaded)], as the import tables name them."""
        found = []
        rva, _ = self._directory(1)
        at = self._offset(rva) if rva else None
        while at is not None:
            lookup, _, _, name, first = struct.unpack_from("<5I", self.data, at)
            if name == 0:
                break
            dll = self._text(name)
            found += [(dll, function, False) for function in self._names(lookup or first)]
            at += 20
        rva, _ = self._directory(13)
        at = self._offset(rva) if rva else None
        base = struct.unpack_from("<I", self.data, self.optional + 28)[0]
        while at is not None:
            attributes, name, _, _, names = struct.unpack_from("<5I", self.data, at)
            if name == 0:
                break
            if not attributes & 1:  # the old form holds addresses, not offsets
                name, names = name - base, names - base
            dll = self._text(name)
            found += [(dll, function, True) for function in self._names(names)]
            at += 32
        return found
