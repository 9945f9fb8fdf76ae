/* A program that imports a wide-character function Windows 98 has only as a stub: the import
   check must refuse it, as it is not on the allow list. */
__declspec(dllimport) unsigned long __stdcall GetFileAttributesW(const unsigned short* name);

int main(void) {
  static const unsigned short name[] = {'C', ':', '\\', 0};
  return (int)(GetFileAttributesW(name) & 1);
}
