// Forms XML modules: the XML form of a Forms module that Oracle's converter
// writes (ORDERS_fmb.xml), read into the same object tree as a report, so
// that nothing above this folder knows which of the two it was given.
//
//   if (IsFormsXml(bytes)) tree = ParseFormsXml(bytes);
//   // <Module xmlns="http://xmlns.oracle.com/Forms"><FormModule Name="F" Title="T"/></Module>
//   // gives [["FormModule",[["F",[["Title","T"]]]]]]
//
// The rules, which outside checks rely on:
// - The root collection holds one section per element type among Module's
//   children, keyed by its local name (FormModule, MenuModule, ...).
// - An element is an object keyed by its Name attribute, else by DSCName or
//   DSAName, else by its own local name, made unique within its section as a
//   report's objects are (a blank appended until no key equals it, ignoring
//   letter case).
// - An object holds first its other attributes as properties keyed by their
//   local names, in ordinal order of those names (the converter writes them
//   in no fixed order), then one section per element type among its
//   children, in order of first appearance, holding those children in
//   document order.
// - A value is the attribute's decoded text with each "&#10;" left in it (a
//   line break the converter wrote as "&amp;#10;") turned into CR LF.
// - Text is UTF-8 (a byte that is no part of a UTF-8 character is taken as
//   Windows-1252), or Windows-1252 where the declaration says so; other
//   encodings the parser knows (UTF-16 with its byte-order mark, ISO-8859-1)
//   are converted first.
// A file that is not well-formed throws tarnwick::Error number
// kGrammarErrorNumber naming the line and column (both 1-based; a column
// counts characters); nothing partial reaches the caller.
#pragma once

#include <string_view>

#include "report/object_tree.h"

namespace tarnwick {

// Whether the file whose first bytes (as many as hold the root element's
// start tag) are `head` is a Forms XML module: its root element is Module in
// the namespace http://xmlns.oracle.com/Forms.
bool IsFormsXml(std::string_view head);

// The tree of a Forms XML module (never null).
CollectionPtr ParseFormsXml(std::string_view bytes);

}  // namespace tarnwick
