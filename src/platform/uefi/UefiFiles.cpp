// UEFI backend: files on the volume ZO was loaded from.
#include "platform/uefi/UefiServices.h"
#include "platform/Firmware.h"

static EFI_FILE_HANDLE sRoot;

// The volume of the loaded image, or else the first simple file system the firmware knows.
static EFI_FILE_HANDLE OpenRoot() {
  if (sRoot) return sRoot;
  EFI_GUID loadedImageGuid = EFI_LOADED_IMAGE_PROTOCOL_GUID;
  EFI_GUID fileSystemGuid = EFI_SIMPLE_FILE_SYSTEM_PROTOCOL_GUID;
  EFI_LOADED_IMAGE* image = nullptr;
  EFI_FILE_IO_INTERFACE* fileSystem = nullptr;
  if (EFI_ERROR(gBS->HandleProtocol(gImageHandle, &loadedImageGuid, (VOID**)&image)) || !image ||
      EFI_ERROR(gBS->HandleProtocol(image->DeviceHandle, &fileSystemGuid, (VOID**)&fileSystem)))
    fileSystem = nullptr;
  if (!fileSystem && EFI_ERROR(gBS->LocateProtocol(&fileSystemGuid, nullptr, (VOID**)&fileSystem)))
    return nullptr;
  if (!fileSystem || EFI_ERROR(fileSystem->OpenVolume(fileSystem, &sRoot))) sRoot = nullptr;
  return sRoot;
}

FwFile* FwFileOpen(const char16_t* path, FwOpenMode mode) {
  EFI_FILE_HANDLE root = OpenRoot();
  if (!root) return nullptr;
  UINT64 openMode = EFI_FILE_MODE_READ;
  if (mode == FW_OPEN_CREATE) openMode = EFI_FILE_MODE_CREATE | EFI_FILE_MODE_READ | EFI_FILE_MODE_WRITE;
  if (mode == FW_OPEN_EXISTING_RW) openMode = EFI_FILE_MODE_READ | EFI_FILE_MODE_WRITE;
  EFI_FILE_HANDLE file = nullptr;
  if (EFI_ERROR(root->Open(root, &file, (CHAR16*)path, openMode, 0))) return nullptr;
  return (FwFile*)file;
}

bool FwFileRead(FwFile* file, void* buffer, usize* size) {
  EFI_FILE_HANDLE handle = (EFI_FILE_HANDLE)file;
  UINTN read = *size;
  if (EFI_ERROR(handle->Read(handle, &read, buffer))) {
    *size = 0;
    return false;
  }
  *size = read;
  return true;
}

void FwFileWrite(FwFile* file, const void* buffer, usize size) {
  EFI_FILE_HANDLE handle = (EFI_FILE_HANDLE)file;
  UINTN written = size;
  handle->Write(handle, &written, (VOID*)buffer);
}

bool FwFileSetPosition(FwFile* file, u64 position) {
  EFI_FILE_HANDLE handle = (EFI_FILE_HANDLE)file;
  return !EFI_ERROR(handle->SetPosition(handle, position));
}

bool FwFileSize(FwFile* file, u64* size) {
  EFI_FILE_HANDLE handle = (EFI_FILE_HANDLE)file;
  EFI_GUID infoGuid = EFI_FILE_INFO_ID;
  UINT64 buffer[188 / 8 + 1];
  UINTN bufferSize = 188;
  if (EFI_ERROR(handle->GetInfo(handle, &infoGuid, &bufferSize, buffer))) return false;
  *size = ((EFI_FILE_INFO*)buffer)->FileSize;
  return true;
}

int FwFileClose(FwFile* file) {
  EFI_FILE_HANDLE handle = (EFI_FILE_HANDLE)file;
  return (int)handle->Close(handle);
}
