// A .zip archive made in the browser: entries stored as they are (text barely shrinks for the
// time compressing costs here), each with its CRC-32, names in UTF-8.
"use strict";

const LOCAL_HEADER_SIGNATURE = 0x04034b50;
const CENTRAL_HEADER_SIGNATURE = 0x02014b50;
const END_SIGNATURE = 0x06054b50;
const LOCAL_HEADER_SIZE = 30;
const CENTRAL_HEADER_SIZE = 46;
const END_SIZE = 22;
const VERSION_NEEDED = 20;           // 2.0: folders and the UTF-8 name flag
const UTF8_NAMES = 1 << 11;          // general-purpose flag: names are UTF-8
const STORED = 0;
const LARGEST = 0xffffffff;          // sizes and offsets beyond this need ZIP64, not written here
const MOST_ENTRIES = 0xffff;

const CRC_TABLE = (() => {
  const table = new Uint32Array(256);
  for (let n = 0; n < 256; n++) {
    let c = n;
    for (let k = 0; k < 8; k++) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
    table[n] = c >>> 0;
  }
  return table;
})();

function crc32(bytes) {
  let crc = 0xffffffff;
  for (let i = 0; i < bytes.length; i++) crc = CRC_TABLE[(crc ^ bytes[i]) & 0xff] ^ (crc >>> 8);
  return (crc ^ 0xffffffff) >>> 0;
}

// MS-DOS time and date of a local time; the format starts in 1980 and counts seconds in twos.
function dosDateTime(date) {
  const year = Math.min(Math.max(date.getFullYear(), 1980), 2107);
  return {
    time: (date.getHours() << 11) | (date.getMinutes() << 5) | (date.getSeconds() >> 1),
    date: ((year - 1980) << 9) | ((date.getMonth() + 1) << 5) | date.getDate(),
  };
}

function localHeader(entry) {
  const header = new DataView(new ArrayBuffer(LOCAL_HEADER_SIZE));
  header.setUint32(0, LOCAL_HEADER_SIGNATURE, true);
  header.setUint16(4, VERSION_NEEDED, true);
  header.setUint16(6, UTF8_NAMES, true);
  header.setUint16(8, STORED, true);
  header.setUint16(10, entry.stamp.time, true);
  header.setUint16(12, entry.stamp.date, true);
  header.setUint32(14, entry.crc, true);
  header.setUint32(18, entry.bytes.length, true);
  header.setUint32(22, entry.bytes.length, true);
  header.setUint16(26, entry.name.length, true);
  return new Uint8Array(header.buffer);
}

function centralHeader(entry) {
  const header = new DataView(new ArrayBuffer(CENTRAL_HEADER_SIZE));
  header.setUint32(0, CENTRAL_HEADER_SIGNATURE, true);
  header.setUint16(4, VERSION_NEEDED, true);
  header.setUint16(6, VERSION_NEEDED, true);
  header.setUint16(8, UTF8_NAMES, true);
  header.setUint16(10, STORED, true);
  header.setUint16(12, entry.stamp.time, true);
  header.setUint16(14, entry.stamp.date, true);
  header.setUint32(16, entry.crc, true);
  header.setUint32(20, entry.bytes.length, true);
  header.setUint32(24, entry.bytes.length, true);
  header.setUint16(28, entry.name.length, true);
  header.setUint32(42, entry.offset, true);
  return new Uint8Array(header.buffer);
}

function endRecord(count, directorySize, directoryOffset) {
  const end = new DataView(new ArrayBuffer(END_SIZE));
  end.setUint32(0, END_SIGNATURE, true);
  end.setUint16(8, count, true);
  end.setUint16(10, count, true);
  end.setUint32(12, directorySize, true);
  end.setUint32(16, directoryOffset, true);
  return new Uint8Array(end.buffer);
}

function concatenated(parts) {
  const total = parts.reduce((sum, part) => sum + part.length, 0);
  const out = new Uint8Array(total);
  let at = 0;
  for (const part of parts) {
    out.set(part, at);
    at += part.length;
  }
  return out;
}

// The archive of `files` ({name, bytes}), every entry dated `date`. Throws a RangeError when
// the archive would pass 4 GiB or 65535 entries.
function makeZip(files, date = new Date()) {
  if (files.length > MOST_ENTRIES) throw new RangeError("too many files for one archive");
  const stamp = dosDateTime(date);
  const encoder = new TextEncoder();
  const parts = [];
  const entries = [];
  let offset = 0;
  for (const file of files) {
    const entry = { name: encoder.encode(file.name), bytes: file.bytes, crc: crc32(file.bytes), stamp, offset };
    parts.push(localHeader(entry), entry.name, entry.bytes);
    offset += LOCAL_HEADER_SIZE + entry.name.length + entry.bytes.length;
    entries.push(entry);
  }
  const directoryOffset = offset;
  for (const entry of entries) {
    parts.push(centralHeader(entry), entry.name);
    offset += CENTRAL_HEADER_SIZE + entry.name.length;
  }
  if (offset > LARGEST) throw new RangeError("the archive would be larger than 4 GiB");
  parts.push(endRecord(entries.length, offset - directoryOffset, directoryOffset));
  return concatenated(parts);
}

if (typeof module !== "undefined") module.exports = { makeZip, crc32 };
