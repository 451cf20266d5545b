// A program whose version block, if any, is given by the resource script it is built with; the
// version tests read it.
int main() { return 0; }
