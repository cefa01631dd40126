// prevod: placeholder entry point, replaced by the terminal-mode program.
int main() { return 0; }
