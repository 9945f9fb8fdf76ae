/* A program that imports a function Windows 98 does not have: the import check must refuse it. */
__declspec(dllimport) unsigned long long __stdcall GetTickCount64(void);

int main(void) { return (int)(GetTickCount64() & 1); }
