#pragma once

// Scanners for the directive lines a script declares ("#CAM", "#VIEW",
// "#VARIANT", "#PSET", "#PARAM", "#ANIM"), as the kernel lists them in the
// DIRECTIVES section, and readers that take one line apart:
//   #CAM(front){0, 0, 5, 0, 0, 0}       name, eye x y z, look-at x y z
//   #VARIANT(tall){height = 3; w: 2}    name, then name/value pairs
// Pure text work: nothing is evaluated and no state is kept.

#include <string>
#include <vector>

using DirectiveLines = std::vector<std::string>;

// Lines whose first bytes are one of the kind's keywords in any letter case
// (a prefix match: "#CAMERA" counts as "#CAM"), as they stand, in text order.
DirectiveLines scan_camera_directives(const std::string& text);
DirectiveLines scan_variant_directives(const std::string& text);
DirectiveLines scan_anim_directives(const std::string& text);

// The directive name: the first argument between "(" and the first ")" or
// "," after it, with every blank removed; "?" when missing or empty.
std::string extract_paren_args(const std::string& line);
std::string extract_camera_directive_args(const std::string& line);
std::string extract_variant_directive_args(const std::string& line);

// Reads the six numbers of "{a,b,c,d,e,f}" (blanks ignored) into `numbers`;
// true when all six were read. Numbers read before a mismatch are stored.
bool extract_brace_body(const std::string& line, double* numbers);
// Items between the first "{" and the last "}", cut at ";", ",", ":" and "="
// with blanks dropped: name, value, name, value ... An odd item count writes
// "PARITY-ISSUE-IN-PARAMETRIC-VARIANT! [n];" to the trace and gives nothing.
std::vector<std::string> extract_variant_brace_body(const std::string& line);
