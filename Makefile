# ZO: UEFI images for x64 and IA32, host unit tests, firmware tests on QEMU/OVMF.
#
#   make        build build/x64/ZO.EFI and build/ia32/ZO.EFI
#   make test   build everything and run every test (host unit tests, then firmware tests)
#   make run    boot the x64 image in QEMU on OVMF

CLANG   ?= clang++
LLDLINK ?= lld-link
PYTHON  ?= /usr/bin/python3
# Output folder; another one lets several builds of the same tree run side by side.
BUILD   ?= build

EFI_SOURCES := $(shell find src -name '*.cpp' -not -path 'src/platform/sim/*' | sort)
EFI_CXXFLAGS := -std=c++17 -O2 -Wall -Wextra -Werror -ffreestanding -fno-exceptions -fno-rtti \
  -fshort-wchar -mno-red-zone -fno-stack-protector -mno-stack-arg-probe -fno-builtin \
  -fno-threadsafe-statics -Isrc -MMD -MP

X64_FLAGS  := --target=x86_64-unknown-windows -I/usr/include/efi -I/usr/include/efi/x86_64
IA32_FLAGS := --target=i686-unknown-windows -I/usr/include/efi -I/usr/include/efi/ia32 -mno-sse

# Sources generated into the build folder: the PCI name database, from Debian's pci.ids
# (the script falls back to a short built-in list when that file is missing).
PCI_IDS     ?= /usr/share/misc/pci.ids
GEN_SOURCES := $(BUILD)/gen/PciIdDatabase.cpp

X64_OBJECTS  := $(EFI_SOURCES:%.cpp=$(BUILD)/x64/obj/%.obj) $(GEN_SOURCES:$(BUILD)/gen/%.cpp=$(BUILD)/x64/obj/gen/%.obj)
IA32_OBJECTS := $(EFI_SOURCES:%.cpp=$(BUILD)/ia32/obj/%.obj) $(GEN_SOURCES:$(BUILD)/gen/%.cpp=$(BUILD)/ia32/obj/gen/%.obj)

.PHONY: all efi packages test unit-test firmware-test run benchmark clean
all: efi
efi: packages $(BUILD)/x64/ZO.EFI $(BUILD)/ia32/ZO.EFI

packages:
	@scripts/ensure-packages build

$(BUILD)/gen/PciIdDatabase.cpp: scripts/pci-id-database.py $(wildcard $(PCI_IDS))
	@mkdir -p $(dir $@)
	@echo "  GEN      $@"
	@$(PYTHON) scripts/pci-id-database.py $@ $(PCI_IDS)

$(BUILD)/x64/obj/gen/%.obj: $(BUILD)/gen/%.cpp
	@mkdir -p $(dir $@)
	@echo "  CXX x64  $<"
	@$(CLANG) $(X64_FLAGS) $(EFI_CXXFLAGS) -c $< -o $@

$(BUILD)/ia32/obj/gen/%.obj: $(BUILD)/gen/%.cpp
	@mkdir -p $(dir $@)
	@echo "  CXX ia32 $<"
	@$(CLANG) $(IA32_FLAGS) $(EFI_CXXFLAGS) -c $< -o $@

$(BUILD)/x64/obj/%.obj: %.cpp
	@mkdir -p $(dir $@)
	@echo "  CXX x64  $<"
	@$(CLANG) $(X64_FLAGS) $(EFI_CXXFLAGS) -c $< -o $@

$(BUILD)/ia32/obj/%.obj: %.cpp
	@mkdir -p $(dir $@)
	@echo "  CXX ia32 $<"
	@$(CLANG) $(IA32_FLAGS) $(EFI_CXXFLAGS) -c $< -o $@

LINK_FLAGS := /subsystem:efi_application /entry:EfiMain /nodefaultlib /opt:ref

$(BUILD)/x64/ZO.EFI: $(X64_OBJECTS)
	@echo "  LINK     $@"
	@$(LLDLINK) $(LINK_FLAGS) /machine:x64 $^ /out:$@

$(BUILD)/ia32/ZO.EFI: $(IA32_OBJECTS)
	@echo "  LINK     $@"
	@$(LLDLINK) $(LINK_FLAGS) /machine:x86 /safeseh:no $^ /out:$@

$(BUILD)/host/Makefile:
	@scripts/ensure-packages test
	cmake -S . -B $(BUILD)/host -DCMAKE_BUILD_TYPE=Debug -DZO_PYTHON=$(PYTHON) -DZO_PCI_IDS=$(PCI_IDS) >/dev/null

unit-test: $(BUILD)/host/Makefile
	$(MAKE) -C $(BUILD)/host --no-print-directory
	cd $(BUILD)/host && ctest --output-on-failure

firmware-test: efi
	@scripts/ensure-packages test
	ZO_BUILD_DIR=$(BUILD) $(PYTHON) -m pytest -q tests/firmware

test: unit-test firmware-test

benchmark: $(BUILD)/host/Makefile
	$(MAKE) -C $(BUILD)/host --no-print-directory zo_console_benchmark
	$(BUILD)/host/zo_console_benchmark

run: efi
	@scripts/ensure-packages run
	$(PYTHON) tests/firmware/run_qemu.py $(BUILD)/x64/ZO.EFI

clean:
	rm -rf $(BUILD)

-include $(X64_OBJECTS:.obj=.d) $(IA32_OBJECTS:.obj=.d)
