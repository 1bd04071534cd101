# Bash completion for tilewright: commands, options, resource types, slot
# names (SLOT= then a file) and the files each command reads.

_tilewright() {
    local cur prev cmd words cword
    shopt -s extglob
    _init_completion -n =: 2>/dev/null || {
        cur="${COMP_WORDS[COMP_CWORD]}"
        prev="${COMP_WORDS[COMP_CWORD - 1]}"
    }
    cmd=convert
    case "${COMP_WORDS[1]}" in
        info | package | map | sprites | render | tiled | unqr | qr) cmd="${COMP_WORDS[1]}" ;;
    esac

    local types="bg 16x16 32x16 16x32 32x32 64x32 32x64 64x64 grp bin"
    local slots="PRG MEM SPU0 SPU1 SPU2 SPU3 SPU4 SPU5 SPU6 SPU7 BGU0 BGU1 BGU2 BGU3 BGF0 COL0 COL1
        COL2 SCR0 SCR1 GRP0 GRP1 GRP2 GRP3 SPD0 SPD1 SPD2 SPD3 BGS0 BGS1 BGS2 BGS3 BGF1 COL0_S
        COL1_S COL2_S SCR2 SCR3 SPS0 SPS1 BGD0 BGD1"
    local keys="Select= Create= User= TextOut= Data_Type= AutoTrim= PAL_Fix_1bit= WideMode=
        Make_Wide= PRG_Limit= PRG_To_SCR= PRG_To_MEM= PRG_MultiByte= PRG_ESCAPE="

    case "$prev" in
        -t | --type)
            [[ "$cmd" == sprites ]] && types="16x16 32x16 16x32 32x32 64x32 32x64 64x64"
            COMPREPLY=($(compgen -W "$types" -- "$cur")); return ;;
        --palette) COMPREPLY=($(compgen -W "auto keep generate" -- "$cur") $(compgen -f -X '!*.@(ptc|PTC|bmp|BMP|png|PNG)' -- "$cur")); return ;;
        --transparent) COMPREPLY=($(compgen -W "none" -- "$cur")); return ;;
        --pack-effort | --shared | --scale) return ;;
        -s | --set) compopt -o nospace 2>/dev/null; COMPREPLY=($(compgen -W "$keys" -- "$cur")); return ;;
        --palette-fix) COMPREPLY=($(compgen -W "yes no" -- "$cur")); return ;;
        --lang) COMPREPLY=($(compgen -W "ja en" -- "$cur")); return ;;
        --screen) COMPREPLY=($(compgen -W "SCR0 SCR1 SCR2 SCR3" -- "$cur")); return ;;
        --name | --crop) return ;;
        -o | --output)
            case "$cmd" in
                map | sprites | tiled | unqr | qr) COMPREPLY=($(compgen -d -- "$cur")) ;;
                render) COMPREPLY=($(compgen -f -X '!*.@(png|PNG|bmp|BMP)' -- "$cur") $(compgen -d -- "$cur")) ;;
                *) COMPREPLY=($(compgen -f -X '!*.@(ptc|PTC)' -- "$cur") $(compgen -d -- "$cur")) ;;
            esac
            return ;;
    esac

    if [[ "$cur" == -* ]]; then
        local opts
        case "$cmd" in
            convert) opts="-t --type -s --set --palette-fix --lang -h --help --version --" ;;
            info) opts="--lang -h --help --" ;;
            package) opts="-o --output --name -s --set --lang -h --help --" ;;
            map) opts="-o --output --palette --transparent --pack-effort --shared --report --reduce --dither --no-flip --palette-fix -s --set --lang -h --help --" ;;
            sprites) opts="-t --type -o --output --palette --transparent --pack-effort --report --reduce --dither --palette-fix --lang -h --help --" ;;
            render) opts="-o --output --screen --crop --lang -h --help --" ;;
            tiled) opts="-o --output --lower --lang -h --help --" ;;
            qr) opts="-o --output --scale --lang -h --help --" ;;
            unqr) opts="-o --output --lang -h --help --" ;;
        esac
        COMPREPLY=($(compgen -W "$opts" -- "$cur"))
        return
    fi

    case "$cmd" in
        convert)
            if ((COMP_CWORD == 1)); then
                COMPREPLY=($(compgen -W "info package map sprites render tiled unqr qr" -- "$cur"))
            fi
            COMPREPLY+=($(compgen -f -- "$cur"))
            ;;
        info | qr) COMPREPLY=($(compgen -f -X '!*.@(ptc|PTC)' -- "$cur") $(compgen -d -- "$cur")) ;;
        map) COMPREPLY=($(compgen -f -X '!*.@(bmp|BMP|png|PNG|jpg|JPG|jpeg|JPEG|gif|GIF|tmx|TMX|tmj|TMJ|json|JSON)' -- "$cur") $(compgen -d -- "$cur")) ;;
        sprites | unqr) COMPREPLY=($(compgen -f -X '!*.@(bmp|BMP|png|PNG|jpg|JPG|jpeg|JPEG|gif|GIF)' -- "$cur") $(compgen -d -- "$cur")) ;;
        render | tiled) COMPREPLY=($(compgen -f -X '!*.@(ptc|PTC|rscr|RSCR|txt|TXT)' -- "$cur") $(compgen -d -- "$cur")) ;;
        package)
            if [[ "$cur" == *=* ]]; then
                local slot="${cur%%=*}" file="${cur#*=}"
                COMPREPLY=($(compgen -f -P "$slot=" -- "$file"))
            else
                compopt -o nospace 2>/dev/null
                COMPREPLY=($(compgen -S = -W "$slots" -- "$cur"))
            fi
            ;;
    esac
}
complete -F _tilewright tilewright
