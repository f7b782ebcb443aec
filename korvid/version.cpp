namespace korvid {
// Keeps the library target non-empty while its pieces arrive.
const char* library_name() { return "Korvid"; }
}  // namespace korvid
