// Desktop entry point; replaced by the shell start-up as it lands.
int main() { return 0; }
