// Text save and load of the designed root: the root the designer is attached to, with everything it
// streams as its children, as one object block of the textual form format.
//
// Both directions go through the binary form stream in memory. A save writes the whole text to a new
// file in the target's folder and only then replaces the target, so a failed save leaves the previous
// file as it was. A load converts the whole text first, so a syntax error changes nothing; a record that
// fails to read puts the design back as it was before the load and then reports the error.
//
// Every routine needs an attached root and fails with "No component is being designed" otherwise.
// Errors are the framework's: "Cannot create file %s", "Cannot open file %s", "%s on line %d",
// "Class %s not found", "Error reading %s.%s: %s".
#pragma once

#include <string>

#pragma GCC visibility push(default)

class TFormwright;
class TMemoryStream;
class TStream;

void SaveRootToTextFile(TFormwright* designer, const std::string& fileName);
// Replaces the root's contents (components, name, properties) with those of the file; the root itself
// stays the same object. The selection is cleared; placeholders of the loaded non-visual components sit
// at their design positions.
void LoadRootFromTextFile(TFormwright* designer, const std::string& fileName);

// The root as text into the stream, at its position.
void WriteRootText(TFormwright* designer, TStream& output);
// One object block of text from the stream's position into the root; what follows the block is not read.
void ReadRootText(TFormwright* designer, TStream& input);
// The signature and the root as one component record.
void WriteRootBinary(TFormwright* designer, TMemoryStream& stream);
// Frees the components the root owns and reads one component record into the root.
void ReadRootBinary(TFormwright* designer, TMemoryStream& stream);

#pragma GCC visibility pop
