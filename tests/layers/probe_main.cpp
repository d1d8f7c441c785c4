int ProbeCallsPlay();

int main() {
  return ProbeCallsPlay();
}
