# Prints the words that shell scripts use as commands, one a line: the first
# word of each simple command, after assignments and prefixes such as exec,
# timeout N or env -u NAME. Quoted text is skipped but for the commands of a
# $( ) inside double quotes; here-documents and comments are skipped.
function word_end() {
  if (word == "") return
  if (redirect) { redirect = 0; word = ""; return }                          # a redirection's target
  if (expect == 1) {
    if (word ~ /^[A-Za-z_][A-Za-z0-9_]*=/) { word = ""; return }           # assignment
    if (word ~ /^(then|do|else|elif|if|while|until|time|exec|command|!)$/) { word = ""; return }
    if (word ~ /^(nice|xargs|sudo)$/) { print word; word = ""; return }
    if (word == "timeout") { print word; expect = 2; word = ""; return }
    if (word == "env") { print word; expect = 3; word = ""; return }
    if (word ~ /^[A-Za-z][A-Za-z0-9._+-]*$/) print word
    expect = (word ~ /^"/) ? 4 : 0                                           # "${sudo[@]}" apt-get
  } else if (expect == 2) { expect = (word ~ /^-/) ? 2 : 1 }                 # timeout's duration
  else if (expect == 3) { if (word == "-u") expect = 5; else if (word !~ /^-/ && word !~ /=/) { expect = 1; word_end(); return } }
  else if (expect == 5) { expect = 3 }
  else if (expect == 4) { expect = 0; if (word ~ /^[A-Za-z][A-Za-z0-9._+-]*$/) print word }
  word = ""
}
function command_start() { word_end(); expect = 1 }
FNR == 1 { depth = 0; heredoc = ""; inarray = 0; continued = 0; redirect = 0 }
{
  line = $0
  if (inarray) { if (index(line, ")") == 0) next; line = substr(line, index(line, ")") + 1); inarray = 0 }
  if (heredoc != "") { if (line ~ ("^[ \t]*" heredoc "[ \t]*$")) heredoc = ""; next }
  if (match(line, /(^|[^<])<<-?[ \t]*['"]?[A-Za-z_]+/)) {                  # not a here-string (<<<)
    heredoc = substr(line, RSTART, RLENGTH); gsub(/^[^<]?<<-?[ \t]*['"]?/, "", heredoc)
  }
  if (!continued) { command_start() }
  continued = 0
  n = length(line)
  for (i = 1; i <= n; i++) {
    c = substr(line, i, 1)
    top = depth > 0 ? stack[depth] : ""
    if (top == "'") { if (c == "'") depth--; continue }  # single quotes, over lines too
    if (top == "\"") {                                # inside double quotes
      if (c == "\\") { i++; continue }
      if (c == "\"") { depth--; continue }
      if (c == "$" && substr(line, i + 1, 1) == "(") { i++; stack[++depth] = "("; command_start(); continue }
      continue
    }
    if (c == "\\") { if (i == n) { continued = 1; break } word = word substr(line, i, 2); i++; continue }
    if (c == "'") { stack[++depth] = "'"; word = word "'q'"; continue }
    if (c == "\"") { stack[++depth] = "\""; word = word "\"q\""; continue }
    if (c == "#" && word == "") break
    if (c == "$" && substr(line, i + 1, 1) == "(") {
      if (substr(line, i + 2, 1) == "(") { j = index(substr(line, i), "))"); word = word "$n"; if (j == 0) break; i += j; continue }  # arithmetic
      i++; stack[++depth] = "("; command_start(); continue
    }
    if (c == "$" || c == "{" && word != "") { if (c == "$" && substr(line, i + 1, 1) == "{") { j = index(substr(line, i), "}"); word = word "$v"; i += j - 1; continue } word = word c; continue }
    if (c == "(" && word ~ /=$/) { j = index(substr(line, i), ")"); word = word "a"; if (j == 0) { inarray = 1; break } i += j - 1; continue } # array
    if (c == "(") { stack[++depth] = "("; command_start(); continue }
    if (c == ")") { if (depth > 0) depth--; else word = ""; command_start(); continue }  # else a case pattern
    if (c ~ /[;&|(){}`]/) { command_start(); continue }
    if (c ~ /[ \t]/) { word_end(); continue }
    if (c ~ /[<>]/) { if (word !~ /^[0-9]+$/) word_end(); word = ""; while (substr(line, i + 1, 1) ~ /[<>&-]/) i++; redirect = 1; continue }
    word = word c
  }
  if (!continued) word_end()
}
