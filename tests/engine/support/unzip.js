// Unpacks a zip archive (stored or deflated entries, as the program writes
// them) by reading its central directory; enough for checking exports
// without an unzip program on the machine.
'use strict';
const fs = require('fs');
const path = require('path');
const zlib = require('zlib');

// The entries of the zip at `file`, in order: [{ name, data }].
function readZip(file) {
  const zip = fs.readFileSync(file);
  let end = zip.length - 22;
  while (end >= 0 && zip.readUInt32LE(end) !== 0x06054b50) end--;
  if (end < 0) throw new Error(file + ' is not a zip archive');
  const count = zip.readUInt16LE(end + 10);
  let at = zip.readUInt32LE(end + 16);
  const entries = [];
  for (let i = 0; i < count; i++) {
    if (zip.readUInt32LE(at) !== 0x02014b50) throw new Error('damaged central directory');
    const method = zip.readUInt16LE(at + 10);
    const packed = zip.readUInt32LE(at + 20);
    const nameLength = zip.readUInt16LE(at + 28);
    const extra = zip.readUInt16LE(at + 30);
    const comment = zip.readUInt16LE(at + 32);
    const local = zip.readUInt32LE(at + 42);
    const name = zip.toString('utf8', at + 46, at + 46 + nameLength);
    const start = local + 30 + zip.readUInt16LE(local + 26) + zip.readUInt16LE(local + 28);
    const raw = zip.subarray(start, start + packed);
    if (method !== 0 && method !== 8) throw new Error(name + ': compression ' + method);
    entries.push({ name, data: method === 8 ? zlib.inflateRawSync(raw) : Buffer.from(raw) });
    at += 46 + nameLength + extra + comment;
  }
  return entries;
}

// Writes every entry below `folder`, refusing names that would leave it.
function unzipInto(file, folder) {
  const root = path.resolve(folder);
  for (const { name, data } of readZip(file)) {
    const target = path.resolve(root, name);
    if (!target.startsWith(root + path.sep)) throw new Error('entry leaves the folder: ' + name);
    fs.mkdirSync(path.dirname(target), { recursive: true });
    fs.writeFileSync(target, data);
  }
}

module.exports = { unzipInto };
