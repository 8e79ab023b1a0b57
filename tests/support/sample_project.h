// One small project with a bit of everything, for every test that needs a
// real project: each kind of record, every stored field set to a value of its
// own so that mixed-up fields show, and names that read well in expected text.
#pragma once

#include <string>

#include "project/model.h"

namespace vorlane::test {

// The records only, with the frames' pictures set; no file is touched. The
// project is named "demo" and is not marked modified.
Project SampleProject();

// The tile set bg_tiles shows: 64 x 64 black with a blue 16 x 24 block at
// (8, 4).
Image SampleTileSet();

// Writes the files the sample names (tiles.png, jump.wav, jump.ogg,
// theme.mp3) into `folder`, as a working folder holds them.
void WriteSampleMedia(const std::string& folder);

}  // namespace vorlane::test
